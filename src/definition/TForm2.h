#pragma once

#include "definition/RequestBuilder.h"
#include "manufacturers/ManufacturerRecord.h"
#include "toolkit/Form.h"

#include <cstdint>
#include <optional>
#include <string>

namespace varnholt::toolkit {
class Application;
class Button;
class Edit;
class Label;
class ListBox;
class Panel;
} // namespace varnholt::toolkit

namespace varnholt::manufacturers {
class ManufacturerFile;
class ManufacturerPanel;
} // namespace varnholt::manufacturers

namespace varnholt {
struct GenerationState;
}

namespace varnholt::definition {

class RandomSource;
class ReportStarter;

// The "Data Input" dialog. Its first stage is the manufacturer list (`LB1`), which the main
// window opens for "Generate a New System" (DefiningSystem set) and for "List / Change Data";
// its second stage is the "Master Key System" panel `Panel1`, where the chamber count, the top
// master and control keys and the quantities are asked for, checked as they are typed, and
// handed to the generation.
//
// Created once at start-up and shown and hidden; the fields keep their texts between uses
// except where an action empties them.
class TForm2 : public toolkit::Form {
public:
    TForm2(toolkit::Application& application, GenerationState& state, manufacturers::ManufacturerFile& file,
           manufacturers::ManufacturerPanel& manufacturerPanel, toolkit::Form& mainWindow,
           ReportStarter& reportStarter, RandomSource& random);

    // Set by the main window's "Generate a New System"; cleared by both Cancels and by a random
    // master.
    bool DefiningSystem = false;
    // A random master was drawn: entering the grand master field with a short key completes it.
    bool RandomMasterPending = false;
    // One-shot: the program is about to change a field; the next change rule of the grand
    // master, masters or sub-masters field skips it.
    bool IgnoreNextChange = false;
    // Backspace was the last key in the masters or sub-masters field.
    bool BackspaceInQuantity = false;

    // What the main window asks for: the manufacturer list, for "Generate a New System" or for
    // "List / Change Data", centred over the main window.
    void OpenListToDefineSystem();
    void OpenListToChangeManufacturer();

    // Reactions, by component and event.
    void Button1Click();
    void LB1DblClick();
    void LB1KeyDown(std::uint16_t& key);
    void Button2Click();
    void ListBox1Click();
    void ListBox1Exit();
    void ListBox1KeyDown(std::uint16_t& key);
    void Button3Click();
    void Button4Click();
    void Edit1KeyPress(char32_t& key);
    void Edit1Change();
    void Edit1Enter();
    void Edit2KeyPress(char32_t& key);
    void Edit2Change();
    void Edit2Enter();
    void Edit3KeyPress(char32_t& key);
    void Edit3Change();
    void Edit3Enter();
    void Edit4KeyPress(char32_t& key);
    void Edit4Change();
    void Edit4Enter();
    void Edit6KeyPress(char32_t& key);
    void Edit6Change();
    void Edit6Enter();
    void RandomMasterClick();

    // The "Total Available" boxes.
    void ShowMastersAvailable();
    void ShowSubMastersAvailable();
    // Refuses too many masters or sub-masters (returns false), else shows the change keys left.
    bool CheckCapacity();
    // Appends random cuts to a short grand master key after a random master was drawn.
    void CompleteRandomMaster();

private:
    // The manufacturer list stage.
    toolkit::Label& Label1;
    toolkit::Label& StaticText1;
    toolkit::ListBox& LB1;
    toolkit::Button& Button1;
    toolkit::Button& Button2;

    // The "Master Key System" panel.
    toolkit::Panel& Panel1;
    toolkit::Label& Label2;
    toolkit::Label& Label3;
    toolkit::ListBox& ListBox1;
    toolkit::Label& Label4;
    toolkit::Edit& Edit1;
    toolkit::Label& Label5;
    toolkit::Edit& Edit2;
    toolkit::Label& Label7;
    toolkit::Edit& Edit3;
    toolkit::Label& Label8;
    toolkit::Edit& Edit4;
    toolkit::Label& Label9;
    toolkit::Edit& Edit6;
    toolkit::Label& Label6;
    toolkit::Label& Label12;
    toolkit::Label& Label13;
    toolkit::Label& Label11;
    toolkit::Button& RandomMaster;
    toolkit::Label& Label10;
    // Beside the change keys asked for: how many the whole system will have ("240 in all").
    toolkit::Label& KeysInAll;
    toolkit::Button& Button3;
    toolkit::Button& Button4;

    void BuildLayout();
    void BuildListLayout();
    void BuildPanelLayout();
    void WireReactions();
    void OpenList();
    void OpenSystemPanel();
    void OpenManufacturerForChange();
    void CopyManufacturerIntoRequest();
    // Sets a field's text as the program, so that the one-shot flag covers exactly this change.
    void SetTextQuietly(toolkit::Edit& field, const std::string& text);
    // Gives a key field the focus with the caret after its last character.
    void FocusAtEnd(toolkit::Edit& field);
    // The keystrokes the three quantity fields treat alike: digits and Backspace pass (marked as
    // such; the keys field takes Backspace itself before), 'A' or 'a' copies the "Total
    // Available" box and moves on, anything else is refused.
    void QuantityKeyPress(char32_t& key, toolkit::Edit& field, const toolkit::Label& available,
                          toolkit::Component& next);
    // Beep and an information box: how every refused keystroke is told.
    void RefuseKeystroke(const std::string& message);
    // The key field's change rule shared by both key fields; false when it already ran again
    // on a shortened text.
    bool UndoBrokenAdjacentCut(toolkit::Edit& field);
    // Why a complete control key cannot go with the grand master key as the fields hold them.
    std::optional<std::string> ControlKeyRefusal() const;
    // A quantity field or a "Total Available" box as a number; no text counts as 0.
    std::int64_t NumberIn(const std::string& text) const;
    // Panel OK with a quantity that was never worked out: tells the user and sends them there.
    void AskForQuantity(toolkit::Edit& field);
    // Panel OK: the answers as the fields now hold them; nothing after asking for a missing one.
    std::optional<SystemAnswers> AnswersOnPanel();
    // Panel OK refused: tells the user and sends them to the field concerned.
    void ShowRefusal(const RequestRefusal& refusal, const SystemAnswers& answers);
    int Chambers() const;
    void ShowKeysInAll();

    GenerationState& state;
    // The record the panel was opened for; the request is built from it at OK.
    manufacturers::ManufacturerRecord chosenManufacturer;
    manufacturers::ManufacturerFile& file;
    manufacturers::ManufacturerPanel& manufacturerPanel;
    toolkit::Form& mainWindow;
    ReportStarter& reportStarter;
    RandomSource& random;
};

} // namespace varnholt::definition
