// The program that draws a light-mapped polygon in one pass.
#include "world_draw/world_shader.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdio>
#include <cstdlib>

namespace {

// Positions go through the fixed transform so that depths match the
// polygons, sprites and light maps the fixed pipeline draws; the texture
// coordinates take the texture matrix (the world's mirrored v) as the
// fixed pipeline does.
const char vertex_source[] =
    "varying vec2 base_coord;\n"
    "varying vec2 light_coord;\n"
    "void main() {\n"
    "  gl_Position = ftransform();\n"
    "  gl_FrontColor = gl_Color;\n"
    "  base_coord = (gl_TextureMatrix[0] * gl_MultiTexCoord0).st;\n"
    "  light_coord = gl_MultiTexCoord1.st;\n"
    "}\n";

// The light map's own pass is black with the darkness as alpha, blended
// over the texture and dropped by the alpha test at 0.1. That pass works
// at the colour buffer's 8 bits: the darkness is an 8-bit value, the test
// keeps values above 26 (0.1 of 255, rounded) and the blend scales the
// colour by 1 - darkness / 255. Done here the same way, the one pass gives
// the same colours as the two (26 is light_map_faint_darkness).
const char fragment_source[] =
    "uniform sampler2D base_texture;\n"
    "uniform sampler2D light_texture;\n"
    "varying vec2 base_coord;\n"
    "varying vec2 light_coord;\n"
    "void main() {\n"
    "  vec4 colour = texture2D(base_texture, base_coord) * gl_Color;\n"
    "  float darkness = floor(texture2D(light_texture, light_coord).a * 255.0 + 0.5);\n"
    "  if (darkness > 26.0) colour.rgb *= 1.0 - darkness / 255.0;\n"
    "  gl_FragColor = colour;\n"
    "}\n";

// The batch program: the same light-map rule, the texture from a layer of
// the array. A polygon without a light map gets light coordinates in the
// atlas's blank block (darkness 0); one whose light map is one darkness
// throughout gets that darkness through its colour, as the plain drawing
// does.
const char batch_vertex_source[] =
    "varying vec3 base_coord;\n"
    "varying vec2 light_coord;\n"
    "void main() {\n"
    "  gl_Position = ftransform();\n"
    "  gl_FrontColor = gl_Color;\n"
    "  vec4 st = gl_TextureMatrix[0] * vec4(gl_MultiTexCoord0.st, 0.0, 1.0);\n"
    "  base_coord = vec3(st.st, gl_MultiTexCoord0.p);\n"
    "  light_coord = gl_MultiTexCoord1.st;\n"
    "}\n";

const char batch_fragment_source[] =
    "#extension GL_EXT_texture_array : require\n"
    "uniform sampler2DArray base_textures;\n"
    "uniform sampler2D light_atlas;\n"
    "varying vec3 base_coord;\n"
    "varying vec2 light_coord;\n"
    "void main() {\n"
    "  vec4 colour = texture2DArray(base_textures, base_coord) * gl_Color;\n"
    "  float darkness = floor(texture2D(light_atlas, light_coord).a * 255.0 + 0.5);\n"
    "  if (darkness > 26.0) colour.rgb *= 1.0 - darkness / 255.0;\n"
    "  gl_FragColor = colour;\n"
    "}\n";

bool gl_version_at_least_2() {
  const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  return version && atoi(version) >= 2;
}

GLuint compile(GLenum type, const char* source, char* why, size_t why_size) {
  GLuint shader = glCreateShader(type);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  GLint ok = 0;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (ok) return shader;
  glGetShaderInfoLog(shader, static_cast<GLsizei>(why_size), nullptr, why);
  glDeleteShader(shader);
  return 0;
}

// The linked program, or 0 with the reason in `why`.
GLuint make_program(const char* vertex_text, const char* fragment_text, const char* base_sampler,
                    const char* light_sampler, char* why, size_t why_size) {
  GLuint vertex = compile(GL_VERTEX_SHADER, vertex_text, why, why_size);
  if (!vertex) return 0;
  GLuint fragment = compile(GL_FRAGMENT_SHADER, fragment_text, why, why_size);
  if (!fragment) {
    glDeleteShader(vertex);
    return 0;
  }
  GLuint program = glCreateProgram();
  glAttachShader(program, vertex);
  glAttachShader(program, fragment);
  glLinkProgram(program);
  // The program keeps what it was linked from.
  glDeleteShader(vertex);
  glDeleteShader(fragment);
  GLint ok = 0;
  glGetProgramiv(program, GL_LINK_STATUS, &ok);
  if (!ok) {
    glGetProgramInfoLog(program, static_cast<GLsizei>(why_size), nullptr, why);
    glDeleteProgram(program);
    return 0;
  }
  glUseProgram(program);
  glUniform1i(glGetUniformLocation(program, base_sampler), 0);
  glUniform1i(glGetUniformLocation(program, light_sampler), 1);
  glUseProgram(0);
  return program;
}

}  // namespace

double light_map_scale(int32_t darkness) {
  return darkness > light_map_faint_darkness ? 1.0 - darkness / 255.0 : 1.0;
}

namespace {

// How one of the two programs is made, and what is drawn without it.
struct program_recipe {
  const char* vertex_text;
  const char* fragment_text;
  const char* base_sampler;
  const char* light_sampler;
  const char* name;
  const char* without;
};

// Makes `program` in the current context when it is missing, once per
// context; a context made since (the program unknown to it) forgets both.
bool program_ready(world_shader& shader, uint32_t world_shader::*program, bool world_shader::*tried,
                   bool world_shader::*logged, const program_recipe& recipe) {
  if (shader.*program) {
    if (glIsProgram(shader.*program)) return true;
    // A new context: the old program went with the old one.
    world_shader_forget_context(shader);
  }
  if (shader.*tried) return false;
  shader.*tried = true;
  char why[512] = "the driver offers no OpenGL 2.0";
  if (gl_version_at_least_2())
    shader.*program = make_program(recipe.vertex_text, recipe.fragment_text, recipe.base_sampler,
                                   recipe.light_sampler, why, sizeof why);
  if (!(shader.*program) && !(shader.*logged)) {
    shader.*logged = true;
    printf("renderer: no %s (%s); %s\n", recipe.name, why, recipe.without);
  }
  return shader.*program != 0;
}

}  // namespace

bool world_shader_ready(world_shader& shader) {
  static const program_recipe recipe{vertex_source,   fragment_source, "base_texture",
                                     "light_texture", "world shader",  "light maps take a second pass"};
  return program_ready(shader, &world_shader::program, &world_shader::tried, &world_shader::logged, recipe);
}

bool world_shader_batch_ready(world_shader& shader) {
  static const program_recipe recipe{batch_vertex_source, batch_fragment_source,
                                     "base_textures",     "light_atlas",
                                     "batch shader",      "opaque polygons are drawn one texture at a time"};
  return program_ready(shader, &world_shader::batch_program, &world_shader::batch_tried,
                       &world_shader::batch_logged, recipe);
}

void world_shader_use(const world_shader& shader, world_shading shading) {
  if (shading == shading_light_map && shader.program)
    glUseProgram(shader.program);
  else if (shading == shading_batch && shader.batch_program)
    glUseProgram(shader.batch_program);
  else if (shader.program || shader.batch_program)
    glUseProgram(0);
}

void world_shader_forget_context(world_shader& shader) {
  shader.program = 0;
  shader.tried = false;
  shader.batch_program = 0;
  shader.batch_tried = false;
}
