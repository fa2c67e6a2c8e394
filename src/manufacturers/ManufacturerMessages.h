#pragma once

// The texts the manufacturer database shows. A line break inside a message is '\n'.
namespace varnholt::manufacturers::messages {

inline constexpr const char* FileNotLocated = "The Manufacturer's file can not be located.\n"
                                              "Please correct the problem or click on\n"
                                              "'Create New Manufacturer' to create it.";
inline constexpr const char* OverwriteQuestion = "This Manufacturer's name is already in the Database.\n"
                                                 "Do you want to overwrite it?";
inline constexpr const char* DeletionQuestion = "You have marked this Manufacturer for deletion.\n"
                                                "Do you want to delete it now?";
inline constexpr const char* FileUpdated = "The Manufacturer's file has been updated.";
inline constexpr const char* RecordMoved = "Another copy of the program has changed the Manufacturer's file\n"
                                           "since this Manufacturer was read. Nothing was saved.\n"
                                           "Please choose the Manufacturer again.";
inline constexpr const char* MaximumBelowMinimum = "The Maximum Chambers must be equal to or\n"
                                                   "greater than the Minimum Chambers.";
inline constexpr const char* MinimumChambersRange = "The Minimum Chambers is 3, the Maximum is 7.";
inline constexpr const char* MaximumChambersRange = "Maximum Chambers must be in the range of 3 to 7.";
inline constexpr const char* ShallowRange = "Shallow cuts are either 0 or 1.";
inline constexpr const char* ZeroAndTen = "With a Deepest cut of 10, written as 0, the Shallowest cut\n"
                                          "must be 1: depth 0 could not be told from depth 10.";
inline constexpr const char* DeepRange = "The Deepest cut must be between 5 and 10.";
inline constexpr const char* MaxAdjacentRange = "The M.A.C.S must be between 3 and 9.";
inline constexpr const char* StepRange = "The Step increment must be between 1 and 4.";
inline constexpr const char* StepLeavesNoDepth = "The Step increment leaves no alternative depth\n"
                                                 "between the Shallowest and the Deepest cut.";
inline constexpr const char* ControlFactorRange = "The Control Factor must be between 1 and 30.";
inline constexpr const char* StackTotalRange = "The Stack Total must be between 6 and 30.";
inline constexpr const char* NoControlChamber = "At least one Control Chamber MUST be checked.";
inline constexpr const char* ControlChambersForm = "The Control Chambers must be seven marks of 'Y' or 'N'.";

} // namespace varnholt::manufacturers::messages