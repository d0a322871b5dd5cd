// Capturing what the code under test prints to standard output.
#pragma once
#include <string>
#include <vector>

// Starts sending standard output to a temporary file.
void capture_stdout_begin();

// Stops the capture and returns everything printed since it began.
std::string capture_stdout_end();

// Whether `lines` occur in `text` in this order (each as a substring, each
// found after the end of the previous one). On failure `missing` names the
// first line not found.
bool lines_in_order(const std::string& text, const std::vector<std::string>& lines,
                    std::string* missing = nullptr);

// How many times `needle` occurs in `text`.
int count_occurrences(const std::string& text, const std::string& needle);
