#pragma once

// Drives a calculator window the way a user does: focus moves, typing and
// clicks go through the real widgets.

#include "ui/NumericEdit.h"

#include <QApplication>
#include <QDialog>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <algorithm>

namespace varlo::testing
{

// Shows the window and waits until it is the active window, as a modal
// opening would leave it.
inline bool ShowActive(QDialog &window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

inline NumericEdit *Field(QWidget &window, const char *name)
{
    auto *field = window.findChild<NumericEdit *>(QLatin1String(name));
    if (field == nullptr)
        qFatal("no field %s", name);
    return field;
}

inline QPushButton *EqualsButton(QWidget &window)
{
    return window.findChild<QPushButton *>(QStringLiteral("calcButton"));
}

inline QString FocusName()
{
    const QWidget *focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QString();
}

// Gives the field the focus as Tab would and types `text` over its (then
// selected) content. An empty text leaves the field untouched.
inline void TypeInto(QWidget &window, const char *name, const QString &text)
{
    if (text.isEmpty())
        return;
    NumericEdit *field = Field(window, name);
    field->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(field, text);
}

// Empties a field from the keyboard: the focus selects the whole text, and
// Backspace deletes it.
inline void EraseByKeyboard(QWidget &window, const char *name)
{
    NumericEdit *field = Field(window, name);
    field->setFocus(Qt::TabFocusReason);
    QTest::keyClick(field, Qt::Key_Backspace);
}

inline void ClickEquals(QWidget &window)
{
    QTest::mouseClick(EqualsButton(window), Qt::LeftButton);
}

inline QString Text(QWidget &window, const char *name)
{
    return Field(window, name)->text();
}

// Whether a label shows its whole caption and stays clear of the field beside
// it: a caption ends left of its field, a unit label starts right of it and
// ends inside the window.
inline bool LabelClearOfField(const QLabel &label, const QWidget &field, QString *why)
{
    const int advance = QFontMetrics(label.font()).horizontalAdvance(label.text());
    const QRect box = label.geometry();
    if (advance > box.width()) {
        *why =
            QStringLiteral("text %1 px wider than its %2 px label").arg(advance).arg(box.width());
        return false;
    }
    const bool caption = box.x() < field.x();
    const int textEnd = box.x() + advance; // first column right of the text
    if (caption && textEnd >= field.x()) {
        *why = QStringLiteral("text ends at %1, field starts at %2").arg(textEnd).arg(field.x());
        return false;
    }
    if (!caption &&
        (box.x() <= field.geometry().right() || textEnd > label.parentWidget()->width())) {
        *why = QStringLiteral("unit text spans %1..%2").arg(box.x()).arg(textEnd);
        return false;
    }
    return true;
}

// The faces and pixel heights the layouts ask for, in the faces that stand in
// for them: captions and fields 13 px regular sans serif, the "=" button 24 px
// bold serif, the window font 11 px sans serif.
inline void CheckFonts(QWidget &window, int labelCount, int fieldCount)
{
    auto check = [](const QWidget *widget, const char *family, int pixelSize, bool bold) {
        const QFontInfo font(widget->font());
        QVERIFY2(font.family() == QLatin1String(family) && font.pixelSize() == pixelSize &&
                     font.bold() == bold,
                 qPrintable(QStringLiteral("%1: %2 %3 px%4")
                                .arg(widget->objectName(), font.family())
                                .arg(font.pixelSize())
                                .arg(font.bold() ? " bold" : "")));
    };
    check(&window, "Liberation Sans", 11, false);
    const QList<QLabel *> labels = window.findChildren<QLabel *>();
    const QList<NumericEdit *> fields = window.findChildren<NumericEdit *>();
    QCOMPARE(labels.size(), labelCount);
    QCOMPARE(fields.size(), fieldCount);
    for (const QLabel *label : labels)
        check(label, "Liberation Sans", 13, false);
    for (const NumericEdit *field : fields)
        check(field, "Liberation Sans", 13, false);
    check(EqualsButton(window), "Liberation Serif", 24, true);
}

// Tab from the first control visits the others in `order` and comes back;
// Shift+Tab goes the other way.
inline void CheckTabCycle(const QStringList &order)
{
    QWidget *first = QApplication::focusWidget();
    QVERIFY(first);
    QCOMPARE(first->objectName(), order.first());
    QStringList visited{FocusName()};
    for (qsizetype step = 0; step < order.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << FocusName();
    }
    QCOMPARE(visited, order + QStringList{order.first()});
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(FocusName(), order.last());
}

// Rows for the arrow keys on the "=" button, which move the focus like Tab.
inline void ArrowKeyRows(const QString &previous, const QString &next)
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("focus");
    QTest::newRow("Right") << int(Qt::Key_Right) << next;
    QTest::newRow("Down") << int(Qt::Key_Down) << next;
    QTest::newRow("Left") << int(Qt::Key_Left) << previous;
    QTest::newRow("Up") << int(Qt::Key_Up) << previous;
}

// The frame of a shown window stands centred on the primary screen.
inline void CheckCentredOnScreen(const QWidget &window)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect frame = window.frameGeometry();
    const QPoint expected(screen.x() + std::max(0, (screen.width() - frame.width()) / 2),
                          screen.y() + std::max(0, (screen.height() - frame.height()) / 2));
    QCOMPARE(frame.topLeft(), expected);
}

} // namespace varlo::testing
