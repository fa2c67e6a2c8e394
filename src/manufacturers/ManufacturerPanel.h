#pragma once

#include <array>
#include <cstdint>
#include <functional>

namespace varnholt::toolkit {
class Button;
class CheckBox;
class Component;
class Edit;
class Form;
class Label;
class Panel;
} // namespace varnholt::toolkit

namespace varnholt::manufacturers {

class ManufacturerFile;
enum class RecordField;
struct ValueRange;

// The manufacturer data panel `Panel2` of the main window: it covers the main menu while a new
// manufacturer is entered or a listed one is changed. Each value is checked when the user moves
// on: a field moves the focus forward as soon as it holds enough characters, and the field that
// receives the focus checks the one before it. OK builds a record from the panel and saves it.
//
// The panel builds its components onto the main window's form, under their form names, and
// wires their reactions. The form must outlive the panel, and so must the file.
class ManufacturerPanel {
public:
    ManufacturerPanel(toolkit::Form& mainWindow, ManufacturerFile& file);
    ManufacturerPanel(const ManufacturerPanel&) = delete;
    ManufacturerPanel& operator=(const ManufacturerPanel&) = delete;

    // The panel holds a new manufacturer (set by "Create New Manufacturer", cleared by Cancel).
    bool NewManufacturerMode = false;
    // A listed record was opened for change during this run; never cleared. While set, entering
    // OK checks nothing (the save still refuses values the generation cannot use).
    bool ChangingManufacturer = false;

    // Told after Cancel (and OK, which ends in Cancel) has hidden the panel, so that the main
    // window can give its menu the focus again.
    std::function<void()> OnClosed;
    // Told when a listed record could not be saved because another copy of the program moved it:
    // the panel has closed, and the list is to be shown again as the file now is.
    std::function<void()> OnRecordMoved;

    // "Create New Manufacturer": opens the panel over the whole client area for a new record.
    void Button2Click();
    // The manufacturer list was left while a new manufacturer is being entered: back to it.
    void ReturnToNewManufacturer();
    // Opens the panel for changing the record the file's SelectedRecord names.
    void OpenSelectedRecordForChange();

    // Panel operations.
    void ClearManufacturerPanel();
    void ShowPanelLabels();
    void HidePanelLabels();
    void HidePanelFields();
    void ShowPanelFields();
    // Empties the fields (new manufacturer) or fills them from DisplayedManufacturer, setting
    // the file's IsICore from the record.
    void LoadManufacturerPanel();

    // Reactions, by component and event.
    void MfgsNameKeyPress(char32_t& key);
    void MinimumChambersKeyPress(char32_t& key);
    void MaximumChambersKeyPress(char32_t& key);
    void ShallowKeyPress(char32_t& key);
    void DeepKeyPress(char32_t& key);
    void MaxAdjacentKeyPress(char32_t& key);
    void StepKeyPress(char32_t& key);
    void ControlFactorKeyPress(char32_t& key);
    void MinimumChambersChange();
    void MaximumChambersChange();
    void ShallowChange();
    void DeepChange();
    void MaxAdjacentChange();
    void StepChange();
    void ControlFactorChange();
    void StackTotalChange();
    void MinimumChambersEnter();
    void MaximumChambersEnter();
    void ShallowEnter();
    void DeepEnter();
    void MaxAdjacentEnter();
    void StepEnter();
    void ControlFactorEnter();
    void StackTotalEnter();
    void Button6Enter();
    void MfgsNameExit();
    void IsICoreClick();
    void Button6Click();
    void Button7Click();
    void Button8Click();

    toolkit::Panel& Panel2;
    toolkit::Label& Label19;
    toolkit::Edit& MfgsName;
    toolkit::Edit& MinimumChambers;
    toolkit::Edit& MaximumChambers;
    toolkit::Edit& Shallow;
    toolkit::Edit& Deep;
    toolkit::Edit& MaxAdjacent;
    toolkit::Edit& Step;
    toolkit::CheckBox& IsICore;
    toolkit::Edit& ControlFactor;
    toolkit::Edit& StackTotal;
    // CheckBox1..CheckBox7: ControlChambers()[0] is CheckBox1.
    const std::array<toolkit::CheckBox*, 7>& ControlChambers() const { return controlChambers; }
    toolkit::Button& Button6;
    toolkit::Button& Button7;
    toolkit::Button& Button8;

private:
    void ChooseAgainAfterMove();
    void PlaceButtonRow();
    void BuildLayout();
    void WireReactions();
    // Enter in a field that holds something moves on to next; Enter is consumed either way.
    void MoveOnWithEnter(char32_t& key, toolkit::Edit& field, toolkit::Component& next);
    // An empty field: beep and back into it. Returns true when the field was empty.
    bool SendBackIfEmpty(toolkit::Edit& field);
    // A rejected value: beep, warning, emptied, back into it.
    void Reject(toolkit::Edit& field, const char* message);
    // The same for a number outside the values a record may hold.
    void RejectOutside(toolkit::Edit& field, const ValueRange& range);
    void SetCoreFieldsVisible(bool visible);
    void SetCoreLabelsVisible(bool visible);
    toolkit::Component& FieldFor(RecordField field);

    toolkit::Form& form;
    ManufacturerFile& file;
    std::array<toolkit::Label*, 20> labels{}; // Label19..Label38
    std::array<toolkit::CheckBox*, 7> controlChambers{};
};

} // namespace varnholt::manufacturers
