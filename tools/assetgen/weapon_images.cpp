// Weapon frames: each file number is turned into a moment of the idle, firing, reload or strike
// animation in the order the HUD plays the folder, then the weapon is posed and drawn.
#include "tools/assetgen/weapon_images.h"

#include <algorithm>
#include <cmath>

#include "tools/assetgen/model3d.h"
#include "tools/assetgen/weapon_models.h"

namespace {

// A moment of a weapon's animation.
struct gun_moment {
  enum kind_t { idle, fire, reload, strike } kind = idle;
  double t = 0;         // 0 to 1 through the animation
  float glow = 0.3f;    // energy parts
  bool charge = false;  // energy gathering at the muzzle without a shot
};

// Which moment file number n of a folder shows (see the play orders in the HUD's view model).
gun_moment moment_of(int weapon, bool reload_folder, int n) {
  gun_moment g;
  if (weapon == 0) {  // blade: g0f 0 rest, 8 down to 1 play the strike, 9 the wind-up
    if (n == 0) return g;
    g.kind = gun_moment::strike;
    g.t = n >= 9 ? 0.0 : (9 - n) / 9.0;
    return g;
  }
  if (!reload_folder) {
    // Firing folders: 1 is the resting gun; the highest number is the shot itself, except the
    // heavy gun whose 1 is the shot and whose frames count up.
    if (weapon == 4) {
      if (n == 0) return g;
      g.kind = gun_moment::fire;
      g.t = (n - 1) / 5.0;
      g.glow = 1.0f - (float)g.t * 0.6f;
      return g;
    }
    if (n == 1) return g;
    g.kind = gun_moment::fire;
    g.t = (4 - n) / 3.0;
    if (weapon == 3) g.t = (5 - n) / 4.0;
    g.glow = 1.0f - (float)g.t * 0.5f;
    return g;
  }
  g.kind = gun_moment::reload;
  switch (weapon) {
    case 1:
      g.t = (11 - n) / 10.0;
      break;  // played 11 down to 1
    case 2:   // played 1 up to 14, starting on the tick of the shot: 1 is the blast itself
      g.t = (n - 1) / 13.0;
      if (n == 1) {
        g.kind = gun_moment::fire;
        g.t = 0.0;
      }
      break;
    case 3:  // played 17 down to 1; 1 also opens the firing run
      g.t = (17 - n) / 16.0;
      if (n == 1) {
        g.kind = gun_moment::fire;
        g.t = 0.0;
        g.glow = 1.0f;
        g.charge = true;
      }
      break;
    default:  // heavy gun: 0 is its resting frame, 1 up to 26 the reload, 27 rest again
      if (n == 0 || n >= 27) return gun_moment{};
      g.t = (n - 1) / 25.0;
      break;
  }
  return g;
}

double smooth(double x) {
  x = std::min(1.0, std::max(0.0, x));
  return x * x * (3 - 2 * x);
}

// A muzzle flash of the weapon's colour: a glowing ball with a white core and, for a real shot,
// four short spikes, centred on the muzzle `muz` (where the barrel ends, in the model's frame as
// drawn) so that it swallows the barrel's end rather than hanging beyond it.
void add_muzzle_flash(model& m, int weapon, vec3 muz, double flash_size, bool charge) {
  color hot = weapon == 3 ? rgb(0x80f0ff) : (weapon == 4 ? rgb(0x90ff70) : rgb(0xffc040));
  // The heavy gun's barrel is as wide as a small flash: its flash is larger
  // so that it shows around the barrel's end.
  double r = 0.065 * flash_size * (weapon == 4 ? 1.8 : 1.0);
  add_ellipsoid(m, muz, {r, r, r}, material{hot, 0, true});
  add_ellipsoid(m, muz + vec3{0, 0, -r * 0.3}, {r * 0.55, r * 0.55, r * 0.55},
                material{rgb(0xfffff0), 0, true});
  if (charge) return;
  for (int k = 0; k < 4; ++k) {
    double a = k * M_PI / 2 + M_PI / 4;  // diagonal spikes keep the top of the screen clear
    vec3 tip = muz + vec3{std::cos(a) * r * 1.7, std::sin(a) * r * 1.7, r * 0.4};
    add_capsule(m, muz, tip, r * 0.25, material{hot, 0, true});
  }
}

image draw_frame(int weapon, const gun_moment& g) {
  model m = build_weapon_model(weapon, g.glow);
  // Chunky proportions read better at this size than true ones; the muzzle
  // moves with the barrel.
  const vec3 chunky{1.6, 1.35, 1.0};
  vec3 muzzle = weapon_muzzle(weapon);
  if (weapon != 0) {
    scale_model(m, chunky);
    muzzle = vec3{muzzle.x * chunky.x, muzzle.y * chunky.y, muzzle.z * chunky.z};
  }
  vec3 offset{0, 0, 0};
  double pitch = 0, roll = 0;
  bool flash = false;
  double flash_size = 0;
  if (g.kind == gun_moment::fire) {
    double kick = (1 - g.t) * (1 - g.t);
    offset = {0, 0.03 * kick, -0.12 * kick};
    pitch = -0.06 * kick;
    flash = g.t < 0.3;
    flash_size = g.charge ? 0.5 : (g.t < 0.1 ? 1.0 : 0.65);
  } else if (g.kind == gun_moment::reload) {
    // The weapon dips its muzzle and turns on its side to bare the loading port, the free hand
    // brings the ammunition up from below, then the weapon comes back.
    double down = smooth(g.t / 0.25) * (1 - smooth((g.t - 0.75) / 0.25));
    offset = {-0.04 * down, 0.06 * down, 0.0};
    roll = 0.85 * down;
    pitch = 0.3 * down;
    if (g.t > 0.2 && g.t < 0.8) {
      double u = (g.t - 0.2) / 0.6;
      double reach = std::sin(u * M_PI);
      add_reload_hand(m, weapon, vec3{0.14, -0.02 - 0.3 * (1 - reach), 0.42});
    }
  } else if (g.kind == gun_moment::strike) {
    // Wind-up high on the right, slash across to the lower left, recover.
    double s = g.t;
    double swing = s < 0.25 ? -smooth(s / 0.25) : -1 + 2.2 * smooth((s - 0.25) / 0.45);
    if (s > 0.7) swing = 1.2 * (1 - smooth((s - 0.7) / 0.3));
    offset = {-0.35 * swing, 0.15 * (1 - std::fabs(swing)) - 0.1 * std::max(0.0, swing),
              0.2 * std::fabs(swing)};
    roll = -0.9 * swing;
    pitch = -0.3 * std::fabs(swing);
  }
  if (flash) add_muzzle_flash(m, weapon, muzzle, flash_size, g.charge);
  if (weapon == 0) offset = offset + vec3{0.05, 0.12, 0};
  rotate_model_x(m, vec3{0, 0, 0}, pitch);
  rotate_model_z(m, vec3{0, 0, 0}, roll);
  translate_model(m, offset);
  image img = image_make(weapon_frame_w, weapon_frame_h, clear_color());
  ortho_view v;
  v.azimuth = M_PI - 0.38;
  v.elevation = 0.5;
  const double size[5] = {1.0, 1.0, 0.9, 1.0, 0.82};
  v.scale = 290 * size[weapon];
  v.focus_x = weapon == 0 ? 214 : 206;
  v.focus_y = 236;
  v.light = {-0.3, 0.8, 0.45};
  v.ambient = 0.55f;
  render_model(m, v, img);
  return img;
}

}  // namespace

image draw_weapon_frame(int code_and_frame) {
  int code = code_and_frame / 100, n = code_and_frame % 100;
  int gun_folder = code / 2;  // folder gN: 0 blade, 1 automatic, 2 shotgun, 3 energy, 4 heavy
  return draw_frame(gun_folder, moment_of(gun_folder, code % 2 == 1, n));
}
