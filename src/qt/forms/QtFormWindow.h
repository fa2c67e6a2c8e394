#pragma once

#include "toolkit/FormObserver.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <unordered_map>

namespace varnholt::toolkit {
class Component;
class Form;
} // namespace varnholt::toolkit

namespace varnholt::qtforms {

// One toolkit form as a real top-level window. Each component becomes a child widget at its
// geometry; the widgets follow the model through FormObserver, and every real key, click,
// double click, focus change and the close box go into the model instead of into Qt's own
// editing. The model is the only truth: an edit's text is always the model's text.
class QtFormWindow : public QWidget, private toolkit::FormObserver {
    Q_OBJECT

public:
    explicit QtFormWindow(toolkit::Form& form);
    ~QtFormWindow() override;
    QtFormWindow(const QtFormWindow&) = delete;
    QtFormWindow& operator=(const QtFormWindow&) = delete;

    toolkit::Form& Model() const { return form; }
    // The widget that shows the component (created on demand), nullptr for a foreign one.
    QWidget* WidgetOf(const toolkit::Component& component);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ComponentChanged(toolkit::Component& component) override;
    void FormChanged() override;
    void FocusChanged() override;

    QWidget* CreateWidget(toolkit::Component& component);
    void Update(toolkit::Component& component, QWidget& widget);
    void UpdateWindow();
    void SyncFocus();
    static void ActivateWindowOf(const toolkit::Form* other);
    toolkit::Component* ComponentAt(QObject* object) const;
    bool FilterEvent(QObject* watched, QEvent* event);
    void Guarded(const std::function<void()>& action);
    bool HandleKey(QEvent* event);
    bool HandleMouse(toolkit::Component& component, QWidget& widget, QEvent* event);

    toolkit::Form& form;
    std::unordered_map<const toolkit::Component*, QWidget*> widgets;
    std::unordered_map<const QObject*, toolkit::Component*> components;
    // The items revision each list view shows (see toolkit::ListBox::ItemsRevision).
    std::unordered_map<const toolkit::Component*, std::uint64_t> shownItems;
    // Set while this window moves Qt's focus itself, so that the resulting focus events are
    // not taken for the user's.
    bool movingFocus = false;
    // The component a mouse button went down on and that Qt already gave the focus to.
    toolkit::Component* pressed = nullptr;
    bool pressFocused = false;
};

} // namespace varnholt::qtforms
