#pragma once

#include <functional>
#include <string>

namespace varnholt::report {

enum class KeyLevel { TopMaster, Master, SubMaster, ChangeKey };

// One key as the report lists it, for the key schedule of the batch command.
struct ScheduledKey {
    KeyLevel level = KeyLevel::ChangeKey;
    std::string designation;   // master and sub-master letters; empty for the top master
    int changeKeyNumber = 0;   // 0 for keys that are not change keys
    std::string bitting;
    char mark = ' ';           // '*' for masters and sub-masters that cannot be used as they are
};

// Told every key in the order the report lists it, top master first.
using KeyListener = std::function<void(const ScheduledKey&)>;

} // namespace varnholt::report
