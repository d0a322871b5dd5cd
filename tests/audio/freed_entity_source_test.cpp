// Entities freed during a level let go of their sound sources at once.
#include <AL/al.h>
#include <gtest/gtest.h>

#include "audio/audio_device.h"
#include "audio/sound_source.h"
#include "base/entity.h"
#include "base/entity_codes.h"
#include "config/config_table.h"
#include "entities/entity_list.h"
#include "entities/entity_list_free.h"
#include "entities/pickup_update.h"
#include "player/player.h"
#include "tests/support/capture_stdout.h"

namespace {

// A shot marked finished and a stopped orb go in the prune pass, a touched
// pickup in its own update; each held a source (a level file may hold any
// type, and every type from 200 on gets one at load).
TEST(FreedEntitySource, PrunedAndTouchedEntitiesDeleteTheirSources) {
  sound_table table = init_audio();
  ASSERT_NE(table.context, nullptr);
  entity* head = entity_list_new_head();
  entity* owner = entity_append(ent_mob5, head);
  owner->id = 1;
  entity* shot = entity_append(ent_shot_a, head);
  entity* orb = entity_append(ent_teleport_orb, head);
  orb->id = 1;
  entity* item = entity_append(ent_magazine, head);
  for (entity* e = head->next; e; e = e->next) e->sound_source = make_sound_source();
  const uint32_t shot_source = shot->sound_source, orb_source = orb->sound_source;
  const uint32_t item_source = item->sound_source, owner_source = owner->sound_source;
  ASSERT_TRUE(alIsSource(shot_source) && alIsSource(orb_source) && alIsSource(item_source));

  shot->type = ent_marked_for_removal;
  orb->type = ent_stopped_teleport_orb;
  entities_prune(head);
  EXPECT_FALSE(alIsSource(shot_source));
  EXPECT_FALSE(alIsSource(orb_source));
  EXPECT_TRUE(alIsSource(owner_source)) << "the orb's owner keeps its own";

  config_table config{};
  set_config_defaults(config);
  player p{};
  player_init(p, config);
  for (int i = 0; i < 3; ++i) p.pos[i] = item->pos[i];
  capture_stdout_begin();
  pickup_update(item, p);
  capture_stdout_end();
  EXPECT_FALSE(alIsSource(item_source));
  EXPECT_EQ(head->next, owner);
  EXPECT_EQ(owner->next, nullptr);

  delete_sound_source(owner->sound_source);
  delete_sound_source(p.sound_source);
  entity_list_free(head);
  uint32_t none = 0;
  close_audio(table, none);
}

}  // namespace
