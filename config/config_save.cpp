// Writing settings changed in the game back into the config file.
#include "config/config_save.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/user_folder.h"
#include "platform/directory.h"

namespace {

// The reader refuses a double's value longer than this.
constexpr size_t double_text_limit = 9;

// The value as the reader takes it back: a whole number, or the shortest
// decimal that reads back as the same double within the reader's limit.
std::string value_text(const config_var& var) {
  char text[32];
  if (!config_is_double(var.name)) {
    snprintf(text, sizeof text, "%d", var.value.as_int);
    return text;
  }
  for (int digits = 1; digits <= 9; ++digits) {
    snprintf(text, sizeof text, "%.*g", digits, var.value.as_double);
    if (strtod(text, nullptr) == var.value.as_double || strlen(text) >= double_text_limit) break;
  }
  if (strlen(text) > double_text_limit) snprintf(text, sizeof text, "%.3g", var.value.as_double);
  return text;
}

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

// A token of a line: where it starts and how long it is.
struct token_at {
  size_t start, length;
};

std::vector<token_at> tokens_of(const std::string& line) {
  std::vector<token_at> tokens;
  for (size_t i = 0; i < line.size();) {
    while (i < line.size() && is_blank(line[i])) ++i;
    size_t start = i;
    while (i < line.size() && !is_blank(line[i])) ++i;
    if (i > start) tokens.push_back({start, i - start});
  }
  return tokens;
}

bool token_is(const std::string& line, token_at t, const char* text) {
  return t.length == strlen(text) && line.compare(t.start, t.length, text) == 0;
}

std::vector<std::string> lines_of(const char* path) {
  std::vector<std::string> lines;
  FILE* file = fopen(path, "rb");
  if (!file) return lines;
  std::string text;
  char block[4096];
  size_t n = 0;
  while ((n = fread(block, 1, sizeof block, file)) > 0) text.append(block, n);
  fclose(file);
  size_t from = 0;
  for (size_t at; (at = text.find('\n', from)) != std::string::npos; from = at + 1)
    lines.push_back(text.substr(from, at - from));
  if (from < text.size()) lines.push_back(text.substr(from));
  return lines;
}

// Whether the line's first token names one of the variables after the 35.
bool names_later_variable(const config_table& table, const std::string& line) {
  std::vector<token_at> tokens = tokens_of(line);
  if (tokens.empty()) return false;
  const config_var* var = config_find(table, line.substr(tokens[0].start, tokens[0].length).c_str());
  return var && var - table.vars >= config_var_count;
}

// Puts the variable's value into the lines. True when they changed.
bool put_value(const config_table& table, const config_var& var, std::vector<std::string>& lines) {
  const std::string value = value_text(var);
  for (std::string& line : lines) {
    std::vector<token_at> tokens = tokens_of(line);
    for (size_t k = 0; k < tokens.size(); ++k) {
      if (!token_is(line, tokens[k], var.name)) continue;
      if (k + 1 == tokens.size()) {  // the name alone: its value goes beside it
        line.insert(tokens[k].start + tokens[k].length, " " + value);
        return true;
      }
      const token_at old = tokens[k + 1];
      const std::string old_text = line.substr(old.start, old.length);
      if (config_is_double(var.name) ? strtod(old_text.c_str(), nullptr) == var.value.as_double
                                     : old_text == value)
        return false;
      line.replace(old.start, old.length, value);
      return true;
    }
  }
  size_t at = lines.size();
  if (&var - table.vars < config_var_count)
    for (size_t i = 0; i < lines.size(); ++i)
      if (names_later_variable(table, lines[i])) {
        at = i;
        break;
      }
  lines.insert(lines.begin() + static_cast<long>(at), std::string(var.name) + " " + value);
  return true;
}

}  // namespace

bool config_save_vars(const config_table& table, const char* const* names, int count, const char* read_path,
                      const char* write_path) {
  std::vector<std::string> lines = lines_of(read_path);
  std::string changed;
  for (int i = 0; i < count; ++i) {
    const config_var* var = config_find(table, names[i]);
    if (!var || !put_value(table, *var, lines)) continue;
    changed += (changed.empty() ? "" : ", ") + std::string(var->name);
  }
  if (changed.empty()) return true;
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  if (!platform_replace_file(write_path, text.data(), text.size())) {
    printf("config: cannot write \"%s\" (%s); the settings hold until the game ends\n", write_path,
           strerror(errno));
    return false;
  }
  printf("config: wrote %s to \"%s\"\n", changed.c_str(), write_path);
  return true;
}

bool config_save(const config_table& table, const char* const* names, int count) {
  return config_save_vars(table, names, count, user_config_path(), user_config_write_path());
}
