// Whole-file reads and writes of the table generators. A write that would
// leave the file as it is does not touch it, so builds that depend on the
// generated file do not rerun.
#pragma once
#include <fstream>
#include <sstream>
#include <string>

inline bool ReadWhole(const std::string& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    out = s.str();
    return true;
}

inline bool WriteWhole(const std::string& path, const std::string& text) {
    std::string old;
    if (ReadWhole(path, old) && old == text) return true;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}
