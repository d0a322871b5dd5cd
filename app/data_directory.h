// Finding the directory that holds data/.
#pragma once

// Makes the directory that holds data/ current: the current directory when
// it has one, otherwise the executable's own directory, otherwise the
// installed game's share/tarvo beside the executable's bin/. False when none
// has it (the game then runs with whatever it finds).
bool enter_data_directory();
