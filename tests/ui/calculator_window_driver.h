#pragma once

// Drives a calculator window the way a user does: focus moves, typing and
// clicks go through the real widgets.

#include "test_app.h"
#include "ui/NumericEdit.h"
#include "ui/PictureBox.h"

#include <QApplication>
#include <QDialog>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <initializer_list>

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

// Both windows end with the yarn weight, the "=" button and the result.
inline constexpr char YarnField[] = "yarnEdit";
inline constexpr char ResultField[] = "densEdit";

// The input fields of a calculator window in tab order, and a worked example
// typed into them with the result "=" shows for it.
struct CalculatorInputs {
    QStringList fields;
    QStringList example;
    QString exampleResult;
};

// Package 180, tube 60, traverse 150, yarn 1250: 368.4 g/dm3.
inline const CalculatorInputs CilindricInputs{
    {"packEdit", "dyeEdit", "travEdit", "yarnEdit"}, {"180", "60", "150", "1250"}, "368.4"};

// Package 200 and 160, traverse 150, tube 72 and 52, yarn 1500: 444.3 g/dm3.
inline const CalculatorInputs ConicInputs{
    {"maxpackEdit", "minpackEdit", "travEdit", "maxdiamEdit", "mindiamEdit", "yarnEdit"},
    {"200", "160", "150", "72", "52", "1500"},
    "444.3"};

inline NumericEdit *Field(QWidget &window, const QString &name)
{
    auto *field = window.findChild<NumericEdit *>(name);
    if (field == nullptr)
        qFatal("no field %s", qPrintable(name));
    return field;
}

inline NumericEdit *Field(QWidget &window, const char *name)
{
    return Field(window, QLatin1String(name));
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
inline void TypeInto(QWidget &window, const QString &name, const QString &text)
{
    if (text.isEmpty())
        return;
    NumericEdit *field = Field(window, name);
    field->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(field, text);
}

// Types `texts` into `fields`, one text for each field in the same order.
inline void TypeInputs(QWidget &window, const QStringList &fields, const QStringList &texts)
{
    if (texts.size() != fields.size())
        qFatal("%d texts for %d fields", int(texts.size()), int(fields.size()));
    for (qsizetype i = 0; i < fields.size(); ++i)
        TypeInto(window, fields[i], texts[i]);
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

inline QString Text(QWidget &window, const QString &name)
{
    return Field(window, name)->text();
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

// Opens the window and calculates its worked example.
inline void OpenWithExampleResult(QDialog &window, const CalculatorInputs &inputs)
{
    QVERIFY(ShowActive(window));
    TypeInputs(window, inputs.fields, inputs.example);
    ClickEquals(window);
    QCOMPARE(Text(window, ResultField), inputs.exampleResult);
}

// The settings both calculator windows share: a fixed size on white, a close
// box and window menu but no other boxes, an "=" button that Enter does not
// reach unless it has the focus, editable inputs, a read-only result and the
// header picture drawn proportionally.
inline void CheckCalculatorWindowSettings(QDialog &window, const QString &objectName,
                                          const QString &title, QSize size,
                                          const QStringList &inputs)
{
    QCOMPARE(window.objectName(), objectName);
    QCOMPARE(window.windowTitle(), title);
    QCOMPARE(window.size(), size);
    QCOMPARE(window.minimumSize(), size);
    QCOMPARE(window.maximumSize(), size);
    QVERIFY(!window.isSizeGripEnabled());
    QCOMPARE(window.palette().color(QPalette::Window), QColor(Qt::white));

    const Qt::WindowFlags flags = window.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));

    QCOMPARE(EqualsButton(window)->text(), QStringLiteral("="));
    QVERIFY(!EqualsButton(window)->autoDefault());
    QVERIFY(!EqualsButton(window)->isDefault());

    for (const QString &name : inputs)
        QVERIFY2(!Field(window, name)->isReadOnly(), qPrintable(name));
    QVERIFY(Field(window, ResultField)->isReadOnly());

    auto *header = window.findChild<varlo::PictureBox *>(QStringLiteral("Image1"));
    QVERIFY(header);
    QCOMPARE(header->picture().size(), QSize(487, 148));
    QCOMPARE(header->drawnRect(), QRect(0, 0, 266, 81));
}

struct ComponentGeometry {
    const char *name;
    QRect geometry;
};

// One row for each component, tagged with its name.
inline void ComponentGeometryRows(std::initializer_list<ComponentGeometry> components)
{
    QTest::addColumn<QRect>("geometry");
    for (const ComponentGeometry &component : components)
        QTest::newRow(component.name) << component.geometry;
}

// The component the row's tag names stands where the row says.
inline void CheckComponentGeometry(QWidget &window)
{
    const auto *component = window.findChild<QWidget *>(QLatin1String(QTest::currentDataTag()));
    QVERIFY(component);
    QTEST(component->geometry(), "geometry");
}

struct LabelBesideField {
    const char *label;
    const char *field;
};

// One row for each label, tagged with its name.
inline void LabelBesideFieldRows(std::initializer_list<LabelBesideField> labels)
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("field");
    for (const LabelBesideField &row : labels)
        QTest::newRow(row.label) << QString::fromLatin1(row.label)
                                 << QString::fromLatin1(row.field);
}

inline void CheckLabelClearOfField(QWidget &window)
{
    QFETCH(QString, label);
    QFETCH(QString, field);
    const auto *labelWidget = window.findChild<QLabel *>(label);
    const auto *fieldWidget = window.findChild<QWidget *>(field);
    QVERIFY(labelWidget && fieldWidget);
    QString why;
    QVERIFY2(LabelClearOfField(*labelWidget, *fieldWidget, &why), qPrintable(why));
}

// A window opens with every field empty, the focus in the first input, centred
// and without an error.
inline void CheckOpensEmptyAndCentred(QDialog &window, const QStringList &inputs)
{
    QVERIFY(ShowActive(window));
    for (const QString &name : inputs + QStringList{ResultField})
        QVERIFY2(Text(window, name).isEmpty(), qPrintable(name));
    QCOMPARE(FocusName(), inputs.first());
    CheckCentredOnScreen(window);
    QVERIFY(TestApp::instance()->errors().empty());
}

inline void CheckArrowKeyOnTheButton(QDialog &window)
{
    QFETCH(int, key);
    QVERIFY(ShowActive(window));
    EqualsButton(window)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(EqualsButton(window), Qt::Key(key));
    QTEST(FocusName(), "focus");
}

// Types the row's "typed" texts into the inputs and presses "=" over a stale
// result: the row's "result" replaces it, an empty one empties the field.
inline void CheckCalculates(QDialog &window, const QStringList &inputs)
{
    QFETCH(QStringList, typed);
    QVERIFY(ShowActive(window));
    Field(window, ResultField)->setNumberValue(999);

    TypeInputs(window, inputs, typed);
    ClickEquals(window);
    QTEST(Text(window, ResultField), "result");
    QVERIFY(TestApp::instance()->errors().empty());
}

inline void CheckEqualsRightAfterOpeningGivesNoResult(QDialog &window, const QStringList &inputs)
{
    QVERIFY(ShowActive(window));
    ClickEquals(window);
    QCOMPARE(Text(window, ResultField), QString());
    // The first input lost the focus to the button and was rewritten.
    QCOMPARE(Text(window, inputs.first()), QStringLiteral("0.0"));
    for (const QString &name : inputs.mid(1))
        QVERIFY2(Text(window, name).isEmpty(), qPrintable(name));
    QCOMPARE(FocusName(), QStringLiteral("calcButton"));
    QVERIFY(TestApp::instance()->errors().empty());
}

// A changed input leaves the shown result until "=" is pressed again; the
// traverse, which both windows have, stands for every input.
inline void CheckResultWaitsForTheNextEquals(QDialog &window, const CalculatorInputs &inputs)
{
    OpenWithExampleResult(window, inputs);
    if (QTest::currentTestFailed())
        return;

    TypeInto(window, "travEdit", "300");
    QTest::keyClick(Field(window, "travEdit"), Qt::Key_Tab);
    QCOMPARE(Text(window, ResultField), inputs.exampleResult);

    EraseByKeyboard(window, "travEdit");
    ClickEquals(window);
    QCOMPARE(Text(window, "travEdit"), QStringLiteral("0.0"));
    QCOMPARE(Text(window, ResultField), QString());
}

inline void YarnWeightRows()
{
    QTest::addColumn<QString>("traverse");
    QTest::addColumn<int>("errors");
    QTest::addColumn<QString>("result");
    QTest::newRow("room for yarn: the weight is read and overflows") << "150" << 1 << "999.0";
    QTest::newRow("no room: the weight is not read") << "" << 0 << "";
}

// The worked example with the row's traverse and a yarn weight beyond the
// double range: only a window with room for yarn reads the weight, and
// reports its overflow.
inline void CheckYarnWeightIsReadOnlyWhenThereIsRoomForYarn(QDialog &window,
                                                            const CalculatorInputs &inputs)
{
    QFETCH(QString, traverse);
    QStringList typed = inputs.example;
    typed[inputs.fields.indexOf(QStringLiteral("travEdit"))] = traverse;
    typed[inputs.fields.indexOf(QLatin1String(YarnField))] = QString(309, u'9');

    QVERIFY(ShowActive(window));
    Field(window, ResultField)->setNumberValue(999);
    TypeInputs(window, inputs.fields, typed);
    // Leaving the field already fails to rewrite a number beyond the double range.
    QTest::keyClick(Field(window, YarnField), Qt::Key_Tab);
    QCOMPARE(FocusName(), QStringLiteral("calcButton"));
    TestApp::instance()->clearErrors();

    ClickEquals(window);
    QTEST(int(TestApp::instance()->errors().size()), "errors");
    QTEST(Text(window, ResultField), "result");
}

// Rows for the keys that confirm: Return and the keypad's Enter.
inline void EnterKeyRows()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
}

// Neither Enter key calculates from a field; the row's key does on the button.
inline void CheckEnterClicksOnlyAFocusedButton(QDialog &window, const CalculatorInputs &inputs)
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QVERIFY(ShowActive(window));
    TypeInputs(window, inputs.fields, inputs.example);
    QTest::keyClick(Field(window, YarnField), Qt::Key_Return);
    QTest::keyClick(Field(window, YarnField), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(Text(window, ResultField), QString());
    QCOMPARE(FocusName(), QString::fromLatin1(YarnField));
    QVERIFY(window.isVisible());

    QTest::keyClick(Field(window, YarnField), Qt::Key_Tab);
    QCOMPARE(FocusName(), QStringLiteral("calcButton"));
    QTest::keyClick(EqualsButton(window), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(Text(window, ResultField), inputs.exampleResult);
}

// Space on the focused button clicks it when the key comes up.
inline void CheckSpaceClicksTheFocusedButton(QDialog &window, const CalculatorInputs &inputs)
{
    QVERIFY(ShowActive(window));
    TypeInputs(window, inputs.fields, inputs.example);
    QTest::keyClick(Field(window, YarnField), Qt::Key_Tab);
    QTest::keyPress(EqualsButton(window), Qt::Key_Space);
    QCOMPARE(Text(window, ResultField), QString());
    QTest::keyRelease(EqualsButton(window), Qt::Key_Space);
    QCOMPARE(Text(window, ResultField), inputs.exampleResult);
}

// Escape on the button or in a field neither closes the window nor touches
// the result.
inline void CheckEscapeClosesNothing(QDialog &window, const CalculatorInputs &inputs)
{
    OpenWithExampleResult(window, inputs);
    if (QTest::currentTestFailed())
        return;
    QTest::keyClick(EqualsButton(window), Qt::Key_Escape);
    for (const QString &name : {inputs.fields.first(), QString::fromLatin1(YarnField)}) {
        Field(window, name)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(Field(window, name), Qt::Key_Escape);
    }
    QVERIFY(window.isVisible());
    QCOMPARE(window.result(), 0);
    QCOMPARE(Text(window, ResultField), inputs.exampleResult);
}

// Escape during the modal display leaves the window open; closing it ends the
// display with Rejected.
inline void CheckClosingEndsTheModalDisplayWithCancel(QDialog &window)
{
    bool openAfterEscape = false;
    QTimer::singleShot(0, &window, [&] {
        if (QTest::qWaitForWindowActive(&window))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        openAfterEscape = window.isVisible();
        window.close(); // what the close box, Alt+F4 and the window menu do
    });
    QCOMPARE(window.exec(), int(QDialog::Rejected));
    QVERIFY(openAfterEscape);
    QVERIFY(!window.isVisible());
}

// The read-only result takes the focus by Tab, refuses typing, and leaving it
// empty rewrites it as zero.
inline void CheckTabbingThroughTheEmptyResultLeavesZero(QDialog &window)
{
    QVERIFY(ShowActive(window));
    EqualsButton(window)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(EqualsButton(window), Qt::Key_Tab);
    QCOMPARE(FocusName(), QString::fromLatin1(ResultField));
    QTest::keyClicks(Field(window, ResultField), "12");
    QCOMPARE(Text(window, ResultField), QString());
    QTest::keyClick(Field(window, ResultField), Qt::Key_Tab);
    QCOMPARE(Text(window, ResultField), QStringLiteral("0.0"));
}

} // namespace varlo::testing
