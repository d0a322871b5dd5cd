// Where the files the game writes live: in data/ when it can be written
// (a build or an unpacked copy), otherwise in the user's own folder,
// $XDG_DATA_HOME/tarvo or ~/.local/share/tarvo (an installed game).
//
// In the user's folder go the save file, F12 screenshots and the config a
// player edits; the first run copies the shipped config there. Files are
// read from the user's folder first and from data/ when it has none.
#pragma once

// Decides where the files go, once, after the directory holding data/ has
// been made current. When data/ cannot be written: makes the user's folder
// and copies "data/config.cfg" into it unless it already has a config.
// Each choice is logged. Until it runs (and in tests that never call it)
// everything stays in data/.
void user_folder_setup();

// Puts everything back in data/ (tests that set up more than once).
void user_folder_reset();

// Whether the user's folder is in use, and its path ("" when not).
bool user_folder_active();
const char* user_folder_path();

// The config file to read: the user's when the folder is in use and has
// one, otherwise "data/config.cfg".
const char* user_config_path();

// The save file to read: the user's when the folder is in use and has one,
// otherwise "data/save.sav".
const char* user_save_read_path();

// The save file to write: in the user's folder when it is in use,
// otherwise "data/save.sav".
const char* user_save_write_path();

// The config file to write the options to: in the user's folder when it is
// in use, otherwise "data/config.cfg".
const char* user_config_write_path();
