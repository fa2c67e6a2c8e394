#include "qt/forms/QtMessageService.h"

#include "qt/forms/QtAppearance.h"

#include "toolkit/Application.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace varnholt::qtforms {

namespace {

QMessageBox::Icon IconOf(toolkit::BoxKind kind) {
    switch (kind) {
    case toolkit::BoxKind::Warning:
        return QMessageBox::Warning;
    case toolkit::BoxKind::Error:
        return QMessageBox::Critical;
    case toolkit::BoxKind::Confirmation:
        return QMessageBox::Question;
    case toolkit::BoxKind::Information:
        break;
    }
    return QMessageBox::Information;
}

} // namespace

toolkit::Answer QtMessageService::Show(toolkit::BoxKind kind, std::string_view text,
                                       toolkit::Buttons buttons) {
    const QString title = application != nullptr && !application->Title().empty()
                              ? ToQString(application->Title())
                              : QCoreApplication::applicationName();
    if (buttons == toolkit::Buttons::SaveDiscardCancel) {
        QMessageBox box(IconOf(kind), title, ToQString(text),
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                        QApplication::activeWindow());
        box.setTextFormat(Qt::PlainText);
        // Named, so that the focus on each can be told (see InputTrace).
        box.button(QMessageBox::Save)->setObjectName(QStringLiteral("Save"));
        box.button(QMessageBox::Discard)->setObjectName(QStringLiteral("Discard"));
        box.button(QMessageBox::Cancel)->setObjectName(QStringLiteral("Cancel"));
        box.setDefaultButton(QMessageBox::Save);
        box.setEscapeButton(QMessageBox::Cancel);
        switch (box.exec()) {
        case QMessageBox::Save:
            return toolkit::Answer::Save;
        case QMessageBox::Discard:
            return toolkit::Answer::Discard;
        default:
            return toolkit::Answer::Cancel;
        }
    }
    const bool question = buttons == toolkit::Buttons::YesNo;
    QMessageBox box(IconOf(kind), title, ToQString(text),
                    question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(question ? QMessageBox::Yes : QMessageBox::Ok);
    if (question) {
        box.setEscapeButton(QMessageBox::No);
    }
    const int pressed = box.exec();
    if (!question) {
        return toolkit::Answer::Ok;
    }
    return pressed == QMessageBox::Yes ? toolkit::Answer::Yes : toolkit::Answer::No;
}

void QtMessageService::Beep() {
    QApplication::beep();
}

} // namespace varnholt::qtforms