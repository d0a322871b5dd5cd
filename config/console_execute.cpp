// Running one typed console line: read or set a variable, or queue a command.
#include "config/console_execute.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "config/config_table.h"
#include "config/console.h"
#include "config/console_print.h"

namespace {

constexpr int parameter_size = 5;

// The name is everything before the first blank. Names longer than the
// table's longest field can hold never match a variable.
constexpr int max_name_length = 19;

struct console_words {
  char name[console_line_size + 1];
  char parameter[parameter_size + 1];  // always terminated
  bool name_too_long;
};

// After the first blank, blanks only separate: every other character is
// taken into the parameter until it holds five; the rest is dropped.
console_words split_line(const char* line) {
  console_words words{};
  int name_length = 0;
  int parameter_length = 0;
  bool in_parameter = false;
  for (int i = 0; i < console_line_size && line[i] != 0; ++i) {
    char c = line[i];
    if (!in_parameter) {
      if (c == ' ')
        in_parameter = true;
      else
        words.name[name_length++] = c;
    } else if (c != ' ' && parameter_length < parameter_size) {
      words.parameter[parameter_length++] = c;
    }
  }
  words.name_too_long = name_length > max_name_length;
  return words;
}

// A plain unsigned number: digits and periods only.
bool is_numeric(const char* text) {
  for (const char* c = text; *c; ++c)
    if (!((*c >= '0' && *c <= '9') || *c == '.')) return false;
  return true;
}

void print_value(console& con, const config_var& var) {
  char line[console_line_size];
  if (config_is_double(var.name))
    snprintf(line, sizeof line, "%s = %f", var.name, var.value.as_double);
  else
    snprintf(line, sizeof line, "%s = %d", var.name, var.value.as_int);
  console_print(line, con);
}

void set_value(console& con, config_table& table, config_var& var, const char* parameter) {
  if (config_is_double(var.name))
    var.value.as_double = atof(parameter);
  else
    var.value.as_int = atoi(parameter);
  table.config_changed = 1;
  char line[console_line_size];
  snprintf(line, sizeof line, "%s = %s", var.name, parameter);
  console_print(line, con);
}

void queue_command(console& con) {
  memcpy(con.command_text, con.input_line, sizeof con.command_text);
  con.command_text[console_line_size - 1] = 0;
  con.command_pending = 1;
}

}  // namespace

void console_execute_line(console& con, config_table& table) {
  console_words words = split_line(con.input_line);
  config_var* var = words.name_too_long ? nullptr : config_find(table, words.name);
  if (!var) {
    queue_command(con);
  } else if (words.parameter[0] == 0) {
    print_value(con, *var);
  } else if (is_numeric(words.parameter)) {
    set_value(con, table, *var, words.parameter);
  } else {
    console_print("Invalid parameters", con);
  }
}
