// Growing and pruning the entity list.
#include "entities/entity_list.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/entity.h"
#include "base/entity_codes.h"
#include "entities/entity_list_free.h"

namespace {

// A list of the given types behind a fresh head; ids 1, 2, 3 ...
entity* make_list(const std::vector<int>& types) {
  entity* head = entity_list_new_head();
  int id = 0;
  for (int type : types) {
    entity* e = entity_append(type, head);
    e->id = ++id;
  }
  return head;
}

std::vector<int> types_of(const entity* head) {
  std::vector<int> types;
  const entity* prev = head;
  for (const entity* e = head->next; e; e = e->next) {
    EXPECT_EQ(e->prev, prev);  // back links stay consistent
    types.push_back(e->type);
    prev = e;
  }
  return types;
}

TEST(EntityAppend, LinksAfterTheTailFromAnyEntry) {
  entity* head = make_list({201, 202});
  entity* middle = head->next;
  entity* shot = entity_append(ent_shot_a, middle);
  EXPECT_EQ(shot->type, ent_shot_a);
  EXPECT_EQ(shot->next, nullptr);
  EXPECT_EQ(shot->prev, middle->next);
  EXPECT_EQ(shot->frame, 0);
  EXPECT_EQ(types_of(head), (std::vector<int>{201, 202, ent_shot_a}));
  entity_list_free(head);
}

TEST(EntitiesPrune, HeadAloneIsUnchanged) {
  entity* head = entity_list_new_head();
  entities_prune(head);
  EXPECT_EQ(head->next, nullptr);
  EXPECT_EQ(head->type, 0);
  entity_list_free(head);
}

TEST(EntitiesPrune, MarkedEntriesInARowAndAtTheTailAreFreed) {
  entity* head = make_list({201, -1, -1, 202, -1});
  head->next->next->path = new int32_t[4]();  // owned arrays go with their entity
  entities_prune(head);
  EXPECT_EQ(types_of(head), (std::vector<int>{201, 202}));
  EXPECT_EQ(head->next->next->next, nullptr);
  entity_list_free(head);
}

TEST(EntitiesPrune, StoppedOrbMovesItsOwnerAndIsRemoved) {
  entity* head = make_list({204, 201, 302});
  entity* owner = head->next;
  owner->state = s_aim;
  owner->ai_flag = 1;
  entity* orb = owner->next->next;
  orb->id = owner->id;
  orb->type = ent_stopped_teleport_orb;
  orb->pos[0] = 5;
  orb->pos[1] = 6;
  orb->pos[2] = 7;
  entities_prune(head);
  EXPECT_EQ(types_of(head), (std::vector<int>{204, 201}));
  EXPECT_EQ(owner->pos[0], 5);
  EXPECT_EQ(owner->pos[2], 7);
  EXPECT_EQ(owner->state, s_chase);
  EXPECT_EQ(owner->ai_flag, 0);
  entity_list_free(head);
}

// A mob5 killed while its orb flies stays down where it fell: put back into
// the chase with no health it would die, and score, a second time.
TEST(EntitiesPrune, StoppedOrbLeavesADeadOwnerWhereItFell) {
  for (int state : {s_dying, s_dead}) {
    entity* head = make_list({204, 302});
    entity* owner = head->next;
    owner->state = state;
    owner->health = -40;
    owner->ai_flag = 1;
    entity* orb = owner->next;
    orb->id = owner->id;
    orb->type = ent_stopped_teleport_orb;
    orb->pos[0] = 5;
    entities_prune(head);
    EXPECT_EQ(types_of(head), (std::vector<int>{204}));
    EXPECT_EQ(owner->pos[0], 0);
    EXPECT_EQ(owner->state, state);
    EXPECT_EQ(owner->ai_flag, 1);
    entity_list_free(head);
  }
}

TEST(EntitiesPrune, OrbInFlightWithTheIdIsPassedOver) {
  // An earlier orb of the same owner still flying (302) is not the owner.
  entity* head = make_list({302, 204, 302});
  entity* flying = head->next;
  entity* owner = flying->next;
  entity* stopped = owner->next;
  flying->id = owner->id = stopped->id = 9;
  stopped->type = ent_stopped_teleport_orb;
  stopped->pos[0] = 3;
  entities_prune(head);
  EXPECT_EQ(types_of(head), (std::vector<int>{302, 204}));
  EXPECT_EQ(owner->pos[0], 3);
  EXPECT_EQ(flying->pos[0], 0);
  entity_list_free(head);
}

TEST(EntitiesPrune, OrbWithoutOwnerMovesOnlyItself) {
  entity* head = make_list({201, 302});
  entity* bystander = head->next;
  entity* orb = bystander->next;
  orb->id = 77;
  orb->type = ent_stopped_teleport_orb;
  orb->pos[0] = 4;
  entities_prune(head);
  EXPECT_EQ(types_of(head), (std::vector<int>{201}));
  EXPECT_EQ(bystander->pos[0], 0);
  EXPECT_EQ(bystander->state, 0);
  entity_list_free(head);
}

}  // namespace
