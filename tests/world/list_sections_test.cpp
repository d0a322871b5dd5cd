// The navigation-node, entity and world-texture sections of a map file.
#include <gtest/gtest.h>

#include <cstring>

#include "base/entity.h"
#include "base/texture_table.h"
#include "entities/entities_read.h"
#include "entities/entity_list_free.h"
#include "tests/support/capture_stdout.h"
#include "tests/support/gl_context.h"
#include "tests/world/map_text.h"
#include "world/ai_node.h"
#include "world/ai_nodes_read.h"
#include "world/level_lists_free.h"
#include "world/world_texture.h"
#include "world/world_textures_read.h"

namespace {

TEST(AiNodes, ReadsLinksAndResolvesThem) {
  map_text map("AINODE: 0 0 0 0 2 1 0 AINODE: 1 10 0 5 2 0 9 EONL ENT:");
  capture_stdout_begin();
  ai_node* first = ai_nodes_read(map.stream);
  std::string log = capture_stdout_end();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(lines_in_order(
      log, {"node link ID: 1\n", "node link ID: 0\n", "node link ID: 0\n", "node link ID: 9\n", "EONL\n"}))
      << log;
  ai_node* second = first->next;
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->next, nullptr);
  EXPECT_DOUBLE_EQ(second->x, 10.0);
  EXPECT_DOUBLE_EQ(second->z, 5.0);
  ai_nodes_link(first);
  EXPECT_EQ(first->links[0], second);
  EXPECT_EQ(first->links[1], first);  // its own id links to itself
  EXPECT_EQ(second->links[0], first);
  EXPECT_EQ(second->links[1], nullptr);  // no node 9
  EXPECT_EQ(second->link_ids[1], 9);
  EXPECT_EQ(ai_node_find(first, 1), second);
  EXPECT_EQ(ai_node_find(second, 0), nullptr);  // the walk starts at its start
  ai_nodes_free(first);
}

TEST(AiNodes, EmptySectionAndClosingByEnt) {
  map_text map("ENT: 1 2 0 2 EOEL");
  capture_stdout_begin();
  ai_node* first = ai_nodes_read(map.stream);
  std::string log = capture_stdout_end();
  EXPECT_EQ(first, nullptr);
  EXPECT_EQ(log, "EONL\n");
  ai_nodes_link(nullptr);  // a level without nodes skips the link pass safely
  // "ENT:" was swallowed: the entity reader sees "1" as its header.
  entity* head = entity_list_new_head();
  capture_stdout_begin();
  entities_read(map.stream, head);
  log = capture_stdout_end();
  EXPECT_EQ(head->next, nullptr);
  EXPECT_EQ(log, "reading elist..\ngot header 1\nEOEL\n");
  entity_list_free(head);
}

TEST(AiNodes, IdsOutsideTheRangeAreLeftOut) {
  // Three records with ids 0, 2 and 7: 7 is outside 0..2 and goes; then 2
  // is outside 0..1 and goes too. Links to them resolve to nothing.
  map_text map("AINODE: 0 0 0 0 2 2 7 AINODE: 2 1 1 1 0 AINODE: 7 2 2 2 0 EONL");
  capture_stdout_begin();
  ai_node* first = ai_nodes_read(map.stream);
  std::string log = capture_stdout_end();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->next, nullptr);
  EXPECT_EQ(count_occurrences(log, "the node is left out"), 2);
  ai_nodes_link(first);
  EXPECT_EQ(first->links[0], nullptr);
  EXPECT_EQ(first->links[1], nullptr);
  ai_nodes_free(first);
}

TEST(AiNodes, MalformedRecordsAreRejected) {
  const std::pair<const char*, const char*> cases[] = {
      {"AINODE: 0 0 0 0 -1 EONL", "has -1 links"},
      {"AINODE: 0 0 0 0 100000 1", "has 100000 links"},
      {"AINODE: 0 0 0 0 3 1 1", "ends inside a record"},
      {"AINODE: 0 0 0 0 1 123456789012", "longer than 11 characters"},
      {"AINODE: 0 0 0", "ends inside a record"},
      {"", "ends inside a record"},
  };
  for (const auto& c : cases) {
    map_text map(c.first);
    capture_stdout_begin();
    ai_node* first = ai_nodes_read(map.stream);
    std::string log = capture_stdout_end();
    EXPECT_EQ(first, nullptr) << c.first;
    EXPECT_TRUE(map.stream.failed) << c.first;
    EXPECT_NE(log.find("map \"test.t3bsp\" rejected: "), std::string::npos) << log;
    EXPECT_NE(log.find(c.second), std::string::npos) << c.first << "\n" << log;
  }
}

TEST(Entities, RecordsGetTypePositionHealthAndIds) {
  map_text map("ENT: 1 2 0 2 ENT: 212 8 0 8 ENT: 100 1 1 1 ENT: 200 0 0 0 EOEL");
  entity* head = entity_list_new_head();
  capture_stdout_begin();
  entities_read(map.stream, head);
  std::string log = capture_stdout_end();
  EXPECT_EQ(count_occurrences(log, "reading elist..\n"), 5);
  EXPECT_TRUE(
      lines_in_order(log, {"reading elist..\n", "got header ENT:\n", "new call!we\n", "allocating\n",
                           "scanning vars\n", "done scanning vars\n", "got header EOEL\n", "EOEL\n"}));
  const int types[] = {1, 212, 100, 200};
  const int healths[] = {100, 6000, 100, 100};
  entity* e = head->next;
  for (int i = 0; i < 4; ++i) {
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->type, types[i]);
    EXPECT_EQ(e->health, healths[i]);
    EXPECT_EQ(e->id, i + 1);
    EXPECT_EQ(e->frame, 1);
    EXPECT_EQ(e->state, 1);
    EXPECT_EQ(e->prev, i == 0 ? head : e->prev);
    EXPECT_EQ(e->prev->next, e);
    e = e->next;
  }
  EXPECT_EQ(e, nullptr);
  EXPECT_DOUBLE_EQ(head->next->next->pos[0], 8.0);
  EXPECT_EQ(entity_health_at_load(209), 2600);
  EXPECT_EQ(entity_health_at_load(213), 8000);
  entity_list_free(head);
}

TEST(Entities, EmptySectionLogsReadingTwice) {
  map_text map("EOEL TEXTURE:");
  entity* head = entity_list_new_head();
  capture_stdout_begin();
  printf("reading elist..\n");  // the level load's own line
  entities_read(map.stream, head);
  std::string log = capture_stdout_end();
  EXPECT_EQ(log, "reading elist..\nreading elist..\ngot header EOEL\nEOEL\n");
  entity_list_free(head);
}

TEST(Entities, RejectedSectionLeavesOnlyTheHead) {
  const char* cases[] = {"ENT: 1 2 0 2 ENT: 201 8 0", "ENT: 1 2 0 2 ",
                         "ENT: 1 2 0 2 ENT: 201 8 0 123456789012"};
  for (const char* text : cases) {
    map_text map(text);
    entity* head = entity_list_new_head();
    capture_stdout_begin();
    entities_read(map.stream, head);
    std::string log = capture_stdout_end();
    EXPECT_TRUE(map.stream.failed) << text;
    EXPECT_EQ(head->next, nullptr) << text;
    entity_list_free(head);
  }
  map_text long_header(std::string(32, 'E'));
  entity* head = entity_list_new_head();
  capture_stdout_begin();
  entities_read(long_header.stream, head);
  std::string log = capture_stdout_end();
  EXPECT_NE(log.find("longer than 31 characters"), std::string::npos) << log;
  entity_list_free(head);
}

TEST(WorldTextures, IdOneHeadsTheLookupAndEntriesLinkInFileOrder) {
  ASSERT_TRUE(test_gl_context());
  map_text map("TEXTURE: 2 missing_a.webp TEXTURE: 1 missing_b.webp TEXTURE: 3 missing_c.webp EOTC NODE");
  texture_table table{};
  capture_stdout_begin();
  world_textures_read(map.stream, table, nullptr);
  std::string log = capture_stdout_end();
  EXPECT_TRUE(lines_in_order(
      log, {"got header TEXTURE:\n", "new call\n", "texID = 2\n", "path is \"missing_a.webp\"\n",
            "FILE: \"missing_a.webp\"\n", "child->texture = 0\n", "texID = 1\n", "texID = 3\n",
            "got header EOTC\n", "EOTC\n"}))
      << log;
  world_texture* one = table.world_textures;
  ASSERT_NE(one, nullptr);
  EXPECT_EQ(one->id, 1);
  ASSERT_NE(one->prev, nullptr);
  EXPECT_EQ(one->prev->id, 2);
  EXPECT_EQ(one->prev->prev, nullptr);
  ASSERT_NE(one->next, nullptr);
  EXPECT_EQ(one->next->id, 3);
  EXPECT_EQ(one->next->prev, one);
  world_textures_free(one);
}

TEST(WorldTextures, WithoutIdOneNothingIsKept) {
  ASSERT_TRUE(test_gl_context());
  map_text map("TEXTURE: 2 a.webp TEXTURE: 3 b.webp EOTC");
  texture_table table{};
  capture_stdout_begin();
  world_textures_read(map.stream, table, nullptr);
  std::string log = capture_stdout_end();
  EXPECT_EQ(table.world_textures, nullptr);
  EXPECT_NE(log.find("no world texture has id 1"), std::string::npos);
  // (LeakSanitizer would report the two entries if they had been dropped.)
}

TEST(WorldTextures, LongPathIsRejectedAndNothingKept) {
  ASSERT_TRUE(test_gl_context());
  map_text ok("TEXTURE: 1 " + std::string(259, 'p') + " EOTC");
  texture_table table{};
  capture_stdout_begin();
  world_textures_read(ok.stream, table, nullptr);
  capture_stdout_end();
  ASSERT_NE(table.world_textures, nullptr);
  EXPECT_EQ(strlen(table.world_textures->path), 259u);
  world_textures_free(table.world_textures);

  map_text too_long("TEXTURE: 1 a.webp TEXTURE: 2 " + std::string(260, 'p') + " EOTC");
  texture_table table2{};
  capture_stdout_begin();
  world_textures_read(too_long.stream, table2, nullptr);
  std::string log = capture_stdout_end();
  EXPECT_TRUE(too_long.stream.failed);
  EXPECT_EQ(table2.world_textures, nullptr);
  EXPECT_NE(log.find("longer than 259 characters"), std::string::npos) << log;
}

}  // namespace
