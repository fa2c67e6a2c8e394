#pragma once

#include <string>
#include <vector>

// The texts the "Data Input" dialog shows when it refuses an entry. The batch command refuses
// with the same words, so they live here rather than inside the dialog.
namespace varnholt::definition {

// A character that is not a digit, in a key field or a quantity field.
std::string NotANumberMessage(int shallowestCut, int deepestCut);
// A digit outside the manufacturer's depths.
std::string DepthRangeMessage(int shallowestCut, int deepestCut);

inline constexpr const char* AdjacentCutsMessage =
    "The Number you entered exceeds the\nMaximum Adjacent Cuts for this Manufacturer.";
inline constexpr const char* SameKeyMessage = "The Control Key can not be the\nsame as the Master Key.";
inline constexpr const char* ControlChamberMessage =
    "The Control Key must differ from the\nMaster Key in a control chamber.";
// A control key under which the top master's own cylinder cannot be pinned, naming the chambers.
std::string UnpinnableControlKeyMessage(const std::vector<int>& chambers);
inline constexpr const char* CompatibilityMessage =
    "The Number you entered is not \nCompatable with the Top Master Key.";

inline constexpr const char* AboveAvailableMessage =
    "You can't ask for more masters than are available!\nPlease reduce the quantity to continue.";
inline constexpr const char* TooManyMastersMessage =
    "You are requesting too many Master Keys.\nPlease reduce the quantity to continue.";
inline constexpr const char* TooManySubMastersMessage =
    "You are requesting too many Sub-Master Keys.\nPlease reduce the quantity to continue.";
inline constexpr const char* NoMastersMessage =
    "Sorry, but how can you have Sub-Master keys\nwhen you don't have any Master keys?";
inline constexpr const char* TooManyKeysMessage = "Come on!  Really?\nYou want more keys than are available?";

// Our own texts for what the dialog never lets happen, so that nothing is refused silently.
std::string KeyLengthMessage(int chambers);
// A chamber count the manufacturer does not offer (the dialog lists only those it does).
std::string ChamberChoiceMessage(const std::string& manufacturer, int lowest, int highest,
                                 const std::string& given);
inline constexpr const char* NoQuantityMessage =
    "The quantities are not complete.\nPlease enter a number in each field to continue.";

} // namespace varnholt::definition
