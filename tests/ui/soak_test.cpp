// A long random session in each calculator window: keys, typing, pastes of
// ordinary and hostile texts, mouse clicks, focus moves, window switches and
// "=" presses, with the window's promises checked after every step. The run is
// fixed by its seed; a failure names the seed, the step and the last actions.
//
// VARLO_SOAK_STEPS sets the steps per run (default 3000), VARLO_SOAK_SEED the
// seed of the first run.

#include "ui/Cilindric.h"
#include "ui/Conic.h"
#include "ui/NumericEdit.h"

#include "calc/density.h"
#include "calc/errors.h"
#include "calc/field_values.h"
#include "tests/ui/calculator_window_driver.h"
#include "tests/ui/test_app.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QHash>
#include <QInputMethodEvent>
#include <QPointer>
#include <QPushButton>
#include <QStyleHints>
#include <QTest>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <vector>

using namespace varlo::testing;
using varlo::NumericEdit;

namespace
{

const QString OverflowMessage = QStringLiteral("Floating point overflow");

int SoakSteps()
{
    bool ok = false;
    const int steps = qEnvironmentVariableIntValue("VARLO_SOAK_STEPS", &ok);
    return ok && steps > 0 ? steps : 3000;
}

std::uint64_t SoakSeed()
{
    bool ok = false;
    const qulonglong seed = qgetenv("VARLO_SOAK_SEED").toULongLong(&ok);
    return ok ? seed : 20240611;
}

// ---- The rules the windows must follow, straight from calc/ -------------------

varlo::FieldText ToField(const QString &text)
{
    return text.toStdU16String();
}

QString Written(double value)
{
    return QString::fromStdU16String(varlo::WriteNumberValue(value, 1, varlo::CurrentSeparators()));
}

// Throws EOverflow beyond the double range, as a field's read does.
double Read(const QString &text)
{
    return varlo::ReadNumberValue(ToField(text), varlo::CurrentSeparators());
}

// The text a field shows after losing the focus, or nothing when its number
// overflows (the text then stays and the overflow is reported).
std::optional<QString> RewrittenOnFocusLoss(const QString &text)
{
    try {
        return Written(Read(text));
    } catch (const varlo::EOverflow &) {
        return std::nullopt;
    }
}

double ReadField(QWidget &window, const char *name)
{
    return Read(Field(window, name)->text());
}

// The result field's text after "=", or nothing when the press overflows.
using ResultRule = std::function<std::optional<QString>(QWidget &)>;

std::optional<QString> ShownDensity(const std::optional<double> &density)
{
    return density ? Written(*density) : QString();
}

std::optional<QString> CilindricResult(QWidget &window)
{
    try {
        const double package = ReadField(window, "packEdit");
        const double tube = ReadField(window, "dyeEdit");
        const double traverse = ReadField(window, "travEdit");
        const float volume = varlo::CilindricVolume(package, tube, traverse);
        if (!(volume > 0.0f))
            return QString();
        return ShownDensity(varlo::WindingDensity(ReadField(window, "yarnEdit"), volume));
    } catch (const varlo::EOverflow &) {
        return std::nullopt;
    }
}

std::optional<QString> ConicResult(QWidget &window)
{
    try {
        const double maxTube = ReadField(window, "maxdiamEdit");
        const double minTube = ReadField(window, "mindiamEdit");
        const double traverse = ReadField(window, "travEdit");
        const double maxPackage = ReadField(window, "maxpackEdit");
        const double minPackage = ReadField(window, "minpackEdit");
        const float volume = varlo::ConicVolume(maxPackage, minPackage, traverse, maxTube, minTube);
        if (!(volume > 0.0f))
            return QString();
        return ShownDensity(varlo::WindingDensity(ReadField(window, "yarnEdit"), volume));
    } catch (const varlo::EOverflow &) {
        return std::nullopt;
    }
}

// ---- Texts to type and paste --------------------------------------------------

using Random = std::mt19937_64;

// Plain modulo keeps the sequence the same with every standard library.
std::size_t Below(Random &random, std::size_t bound)
{
    return static_cast<std::size_t>(random() % bound);
}

bool Chance(Random &random, int percent)
{
    return Below(random, 100) < static_cast<std::size_t>(percent);
}

template <typename T> const T &Pick(Random &random, const std::vector<T> &items)
{
    return items[Below(random, items.size())];
}

QString RandomDigits(Random &random, qsizetype count, bool leadingNonZero = true)
{
    QString digits(count, u'0');
    for (qsizetype i = 0; i < count; ++i)
        digits[i] = QChar(u'0' + static_cast<char16_t>(Below(random, 10)));
    if (leadingNonZero && count > 0)
        digits[0] = QChar(u'1' + static_cast<char16_t>(Below(random, 9)));
    return digits;
}

// Digits grouped by threes with the thousands separator, as the field accepts.
QString Grouped(const QString &digits, QChar thousands)
{
    QString grouped;
    grouped.reserve(digits.size() + digits.size() / 3 + 1);
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += thousands;
        grouped += digits[i];
    }
    return grouped;
}

// Every Unicode space character, and characters that other locales use as
// decimal or thousands separators.
const std::vector<char16_t> OddCharacters = {
    0x0020, 0x00A0, 0x1680, 0x2000, 0x2001, 0x2002, 0x2003, 0x2004, 0x2005, 0x2006, 0x2007, 0x2008,
    0x2009, 0x200A, 0x2028, 0x2029, 0x202F, 0x205F, 0x3000, 0x066B, 0x066C, 0x00B7, 0x2019, 0x02BC,
    0x0027, 0xFF0E, 0xFF0C, 0x2396, 0x060C, 0x3002, 0xFE50, 0xFE52, 0x2212, 0xFE63, 0xFF0D, 0x2010,
    0x2011, 0x2013, 0x0009, 0x000A, 0x000D, 0x0000, 0x001B, 0x0008, 0x007F, 0x0085, 0x200B, 0xFEFF,
    0x0660, 0x0663, 0x06F5, 0x0966, 0xFF11, 0x00B2, 0x2075, 0x0301, 0xD800, 0xDC00, 0xDBFF, 0xDFFF,
};

// The decimal and thousands separators a run works with.
struct Setting {
    QChar decimal;
    QChar thousands;
};

class TextMaker
{
public:
    TextMaker(Random &random, Setting setting) : m_random(random), m_setting(setting) {}

    // A short text a user might type or paste: digits, both separators, signs.
    QString numberLike()
    {
        static const QString alphabet = QStringLiteral("0123456789012345678901234567.,-+");
        QString text;
        const std::size_t length = Below(m_random, 12);
        for (std::size_t i = 0; i < length; ++i)
            text += alphabet[static_cast<qsizetype>(Below(m_random, alphabet.size()))];
        return text;
    }

    QString ordinaryNumber()
    {
        QString text = RandomDigits(m_random, 1 + static_cast<qsizetype>(Below(m_random, 6)));
        if (Chance(m_random, 50))
            text = Grouped(text, m_setting.thousands);
        if (Chance(m_random, 60))
            text += m_setting.decimal +
                    RandomDigits(m_random, static_cast<qsizetype>(Below(m_random, 6)), false);
        if (Chance(m_random, 10))
            text.prepend(u'-');
        return text;
    }

    // Texts meant to break the paste path or the reading behind it.
    QString hostile()
    {
        switch (Below(m_random, 12)) {
        case 0: { // an odd character somewhere in a number
            QString text = ordinaryNumber();
            const QChar odd(Pick(m_random, OddCharacters));
            text.insert(static_cast<qsizetype>(Below(m_random, text.size() + 1)), odd);
            return text;
        }
        case 1: // line breaks
            return Pick(m_random,
                        std::vector<QString>{QStringLiteral("12\n"), QStringLiteral("1\n2"),
                                             QStringLiteral("12\r\n"), QStringLiteral("\n"),
                                             QStringLiteral("3\u20284")});
        case 2: // a surrogate pair, or one half of one
            return Pick(m_random, std::vector<QString>{QString::fromUtf8("1\xF0\x9D\x9F\x8E"),
                                                       QString(QChar(0xD835)),
                                                       QStringLiteral("5") + QChar(0xDFCE),
                                                       QString::fromUtf8("\xF0\x9F\x98\x80")});
        case 3: // exponents, which the field never takes
            return Pick(m_random,
                        std::vector<QString>{QStringLiteral("1E400"), QStringLiteral("2.5e2"),
                                             QStringLiteral("1E") + QString(10000, u'9'),
                                             QStringLiteral("1e-") + QString(5000, u'7'),
                                             QStringLiteral("1E5000")});
        case 4: // a number beyond the double range: overflows when read
            return (Chance(m_random, 20) ? QStringLiteral("-") : QString()) +
                   RandomDigits(m_random, 309 + static_cast<qsizetype>(Below(m_random, 100)));
        case 5: // the same with thousands separators
            return Grouped(RandomDigits(m_random, 400), m_setting.thousands);
        case 6: // the edge of the double range, on both sides
            return Pick(m_random,
                        std::vector<QString>{
                            QStringLiteral("17976931348623158") + QString(292, u'0'),
                            QStringLiteral("17976931348623159") + QString(292, u'0'),
                            QStringLiteral("0") + m_setting.decimal + RandomDigits(m_random, 400)});
        case 7: // beyond 10^18, where the standard form gives up
            return RandomDigits(m_random, 19 + static_cast<qsizetype>(Below(m_random, 20)));
        case 8: // separators only, or crowded together
            return Pick(m_random,
                        std::vector<QString>{
                            QString(m_setting.decimal), QString(m_setting.thousands),
                            QStringLiteral("1") + m_setting.thousands + m_setting.thousands +
                                QStringLiteral("234"),
                            QString(m_setting.thousands) + QStringLiteral("5"),
                            QStringLiteral("--5"), QStringLiteral("5-"), QStringLiteral("-")});
        case 9: // a text of odd characters only
        {
            QString text;
            for (std::size_t i = 0, n = 1 + Below(m_random, 4); i < n; ++i)
                text += QChar(Pick(m_random, OddCharacters));
            return text;
        }
        case 10: // long but readable
            return RandomDigits(m_random, 5000, false);
        default: // letters
            return Pick(m_random, std::vector<QString>{QStringLiteral("abc"), QStringLiteral("12a"),
                                                       QStringLiteral("NaN"), QStringLiteral("inf"),
                                                       QStringLiteral("0x1F")});
        }
    }

    // A megabyte of one of four kinds; a run pastes each kind once.
    QString megabyte(int kind)
    {
        constexpr qsizetype Size = 1 << 20;
        switch (kind % 4) {
        case 0: // digits: the value overflows even the extended range and reads as 0
            return RandomDigits(m_random, Size);
        case 1: // grouped digits
            return Grouped(RandomDigits(m_random, Size * 3 / 4), m_setting.thousands);
        case 2: // refused at the very end
            return RandomDigits(m_random, Size) + u'x';
        default: // zeros in front of a small number
            return QString(Size, u'0') + QStringLiteral("5") + m_setting.decimal +
                   QStringLiteral("25");
        }
    }

private:
    Random &m_random;
    Setting m_setting;
};

// ---- The session ----------------------------------------------------------------

struct KeyStroke {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char *name;
};

const std::vector<KeyStroke> EditingKeys = {
    {Qt::Key_Backspace, Qt::NoModifier, "Backspace"},
    {Qt::Key_Delete, Qt::NoModifier, "Delete"},
    {Qt::Key_Left, Qt::NoModifier, "Left"},
    {Qt::Key_Right, Qt::NoModifier, "Right"},
    {Qt::Key_Up, Qt::NoModifier, "Up"},
    {Qt::Key_Down, Qt::NoModifier, "Down"},
    {Qt::Key_Home, Qt::NoModifier, "Home"},
    {Qt::Key_End, Qt::NoModifier, "End"},
    {Qt::Key_Left, Qt::ShiftModifier, "Shift+Left"},
    {Qt::Key_Right, Qt::ShiftModifier, "Shift+Right"},
    {Qt::Key_Home, Qt::ShiftModifier, "Shift+Home"},
    {Qt::Key_End, Qt::ShiftModifier, "Shift+End"},
    {Qt::Key_Left, Qt::ControlModifier, "Ctrl+Left"},
    {Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier, "Ctrl+Shift+Right"},
    {Qt::Key_A, Qt::ControlModifier, "Ctrl+A"},
    {Qt::Key_Return, Qt::NoModifier, "Enter"},
    {Qt::Key_Enter, Qt::KeypadModifier, "keypad Enter"},
    {Qt::Key_Escape, Qt::NoModifier, "Esc"},
    {Qt::Key_Space, Qt::NoModifier, "Space"},
};

const std::vector<KeyStroke> FocusKeys = {
    {Qt::Key_Tab, Qt::NoModifier, "Tab"},
    {Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab"},
};

const std::vector<KeyStroke> ClipboardKeys = {
    {Qt::Key_C, Qt::ControlModifier, "Ctrl+C"},
    {Qt::Key_X, Qt::ControlModifier, "Ctrl+X"},
    {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},
    {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "Ctrl+Shift+Z"},
    {Qt::Key_Insert, Qt::ControlModifier, "Ctrl+Insert"},
    {Qt::Key_Delete, Qt::ShiftModifier, "Shift+Delete"},
};

const std::vector<KeyStroke> PasteKeys = {
    {Qt::Key_V, Qt::ControlModifier, "Ctrl+V"},
    {Qt::Key_Insert, Qt::ShiftModifier, "Shift+Insert"},
};

// Characters typed one at a time; most are refused.
const QString TypedCharacters = QStringLiteral("01234567890123456789..,,--  aZeE+;/*=");

// Non-ASCII characters typed as a keyboard layout or an input method gives them.
const std::vector<QString> ForeignCharacters = {
    QString(QChar(0x00A0)),
    QString(QChar(0x066B)),
    QString(QChar(0xFF11)),
    QString(QChar(0x0663)),
    QString::fromUtf8("\xF0\x9D\x9F\x8E"),
    QString(QChar(0x2212)),
    QString(QChar(0x202F)),
    QStringLiteral("\t"),
};

// A text as a failure message can show it: anything but printable ASCII as
// \u{...}, the middle of a long text left out.
QString Shorten(const QString &text)
{
    const auto escaped = [](QStringView part) {
        QString shown;
        for (const QChar c : part) {
            if (c.unicode() >= 0x20 && c.unicode() < 0x7F)
                shown += c;
            else
                shown += QStringLiteral("\\u{%1}").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        }
        return shown;
    };
    if (text.size() <= 40)
        return escaped(text);
    return escaped(QStringView(text).left(20)) +
           QStringLiteral("...(%1 chars)...").arg(text.size()) +
           escaped(QStringView(text).right(10));
}

// Caret and selection of a field.
struct Caret {
    int position = 0;
    int selectionStart = 0;
    int selectionLength = 0;

    friend bool operator==(const Caret &, const Caret &) = default;

    QString toString() const
    {
        return QStringLiteral("%1 (selection %2+%3)")
            .arg(position)
            .arg(selectionStart)
            .arg(selectionLength);
    }
};

Caret CaretOf(const QLineEdit &field)
{
    if (!field.hasSelectedText())
        return Caret{field.cursorPosition(), 0, 0};
    return Caret{field.cursorPosition(), field.selectionStart(), field.selectionLength()};
}

class Soak : public QObject
{
public:
    Soak(QDialog &window, QWidget &owner, const ResultRule &resultRule, Setting setting,
         std::uint64_t seed)
        : m_window(&window), m_owner(owner), m_resultRule(resultRule), m_random(seed),
          m_texts(m_random, setting), m_setting(setting)
    {
        m_fields = window.findChildren<NumericEdit *>();
        m_result = Field(window, "densEdit");
        for (NumericEdit *field : m_fields)
            field->installEventFilter(this);
        m_button = EqualsButton(window);
        m_focusable = {m_button};
        for (NumericEdit *field : m_fields)
            m_focusable.push_back(field);
        // "=" is checked between the press, when the focus has already moved,
        // and the end of its handler.
        connect(m_button, &QPushButton::pressed, this, &Soak::equalsPressed);
        connect(m_button, &QPushButton::clicked, this, &Soak::equalsClicked);
    }

    // Runs `steps` steps; the first broken promise ends the run.
    QString run(int steps)
    {
        for (int step = 0; step < steps && m_failure.isEmpty(); ++step) {
            m_step = step;
            const qsizetype errorsBefore = TestApp::instance()->errors().size();
            m_expectedErrors = 0;
            try {
                if (steps >= 8 && step % (steps / 4) == steps / 8)
                    pasteMegabyte(step / (steps / 4));
                else
                    randomAction();
            } catch (const std::exception &e) {
                fail(QStringLiteral("exception escaped: %1").arg(QString::fromUtf8(e.what())));
            } catch (...) {
                fail(QStringLiteral("exception of unknown kind escaped"));
            }
            checkFocusLosses();
            checkStep(errorsBefore);
        }
        if (m_failure.isEmpty())
            return QString();
        QString recent;
        for (const QString &action : m_recent)
            recent += QStringLiteral("\n    ") + action;
        return QStringLiteral("step %1: %2\n  last actions:%3").arg(m_step).arg(m_failure, recent);
    }

    // What the run went through, to show that it reached the paths it aims at.
    QString summary() const
    {
        return QStringLiteral("%1 pastes (%2 taken), %3 \"=\" presses (%4 with a density), "
                              "%5 focus losses, %6 overflows reported")
            .arg(m_pastes)
            .arg(m_pastesTaken)
            .arg(m_calculations)
            .arg(m_densitiesShown)
            .arg(m_focusLossesChecked)
            .arg(m_overflows);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The text at the moment the focus leaves decides what the field must
        // show afterwards. The context menu's popup takes the focus only on loan.
        if (event->type() == QEvent::FocusOut &&
            static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason) {
            auto *field = static_cast<NumericEdit *>(watched);
            m_focusLosses.push_back({field, field->text()});
        }
        // The entry text, which Esc brings back, is the text the focus finds.
        if (event->type() == QEvent::FocusIn &&
            static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason) {
            auto *field = static_cast<NumericEdit *>(watched);
            m_entryTexts.insert(field, field->text());
        }
        return false;
    }

private:
    struct FocusLoss {
        QPointer<NumericEdit> field;
        QString textBefore;
    };

    void note(const QString &action)
    {
        m_recent.push_back(action);
        if (m_recent.size() > 12)
            m_recent.pop_front();
    }

    void fail(const QString &why)
    {
        if (m_failure.isEmpty())
            m_failure = why;
    }

    QWidget *keyTarget() const
    {
        QWidget *focus = QApplication::focusWidget();
        return focus ? focus : m_window.data();
    }

    void randomAction()
    {
        const std::size_t roll = Below(m_random, 100);
        if (roll < 30)
            typeCharacter();
        else if (roll < 48)
            pressKey(Pick(m_random, EditingKeys));
        else if (roll < 56)
            pressKey(Pick(m_random, FocusKeys));
        else if (roll < 63)
            pressKey(Pick(m_random, ClipboardKeys));
        else if (roll < 76)
            paste(nextClipboardText());
        else if (roll < 84)
            clickSomewhere();
        else if (roll < 88)
            moveFocus();
        else if (roll < 95)
            pressEquals();
        else if (roll < 97)
            typeLongNumber();
        else if (roll < 98)
            commitFromInputMethod();
        else if (roll < 99)
            switchWindows();
        else
            typeForeignCharacter();
    }

    void typeCharacter()
    {
        const QChar typed =
            TypedCharacters[static_cast<qsizetype>(Below(m_random, TypedCharacters.size()))];
        note(QStringLiteral("type '%1' into %2").arg(typed, keyTarget()->objectName()));
        QTest::keyClick(keyTarget(), typed.toLatin1());
    }

    void typeForeignCharacter()
    {
        const QString typed = Pick(m_random, ForeignCharacters);
        note(QStringLiteral("type '%1' into %2").arg(Shorten(typed), keyTarget()->objectName()));
        QTest::sendKeyEvent(QTest::Click, keyTarget(), Qt::Key_unknown, typed, Qt::NoModifier);
    }

    // Enough digits to leave the double range, which only the focus loss reads.
    void typeLongNumber()
    {
        const QString digits =
            RandomDigits(m_random, 300 + static_cast<qsizetype>(Below(m_random, 120)));
        note(QStringLiteral("type %1 digits into %2")
                 .arg(digits.size())
                 .arg(keyTarget()->objectName()));
        QTest::keyClicks(keyTarget(), digits);
    }

    void commitFromInputMethod()
    {
        const QString commit = Chance(m_random, 50) ? m_texts.ordinaryNumber() : m_texts.hostile();
        note(QStringLiteral("input method commits '%1'").arg(Shorten(commit)));
        QInputMethodEvent event;
        event.setCommitString(commit);
        QCoreApplication::sendEvent(keyTarget(), &event);
    }

    void pressKey(const KeyStroke &stroke)
    {
        note(QStringLiteral("key %1 on %2")
                 .arg(QLatin1String(stroke.name), keyTarget()->objectName()));
        QWidget *target = keyTarget();
        const QString textBefore = target == m_result ? m_result->text() : QString();
        QTest::keyClick(target, stroke.key, stroke.modifiers);
        if (stroke.key == Qt::Key_Escape)
            checkEscape(target, textBefore);
    }

    // Esc brings back the text a field had when it got the focus, wholly
    // selected; the result field keeps its text.
    void checkEscape(QWidget *target, const QString &resultBefore)
    {
        auto *field = qobject_cast<NumericEdit *>(target);
        if (field == nullptr)
            return;
        const QString expected = field == m_result ? resultBefore : m_entryTexts.value(field);
        if (field->text() != expected || field->selectedText() != expected)
            fail(QStringLiteral("%1 shows '%2' with '%3' selected after Esc, not '%4'")
                     .arg(field->objectName(), Shorten(field->text()),
                          Shorten(field->selectedText()), Shorten(expected)));
    }

    QString nextClipboardText()
    {
        const std::size_t roll = Below(m_random, 100);
        if (roll < 15)
            return QGuiApplication::clipboard()->text(); // what a copy or cut left there
        if (roll < 45)
            return m_texts.ordinaryNumber();
        if (roll < 60)
            return m_texts.numberLike();
        return m_texts.hostile();
    }

    void pasteMegabyte(int kind)
    {
        // Into an input field, so that the paste is not refused for read-only.
        NumericEdit *field = m_fields[static_cast<qsizetype>(Below(m_random, m_fields.size()))];
        if (field == m_result)
            field = m_fields.front();
        field->setFocus(Qt::TabFocusReason);
        checkFocusLosses();
        paste(m_texts.megabyte(kind));
    }

    // What a paste must do, by the clipboard rules, worked out before the key.
    void paste(const QString &clipboardText)
    {
        QGuiApplication::clipboard()->setText(clipboardText);
        const KeyStroke &stroke = Pick(m_random, PasteKeys);
        note(QStringLiteral("paste '%1' with %2 into %3")
                 .arg(Shorten(clipboardText), QLatin1String(stroke.name),
                      keyTarget()->objectName()));
        ++m_pastes;
        auto *field = qobject_cast<NumericEdit *>(QApplication::focusWidget());
        if (field == nullptr) {
            QTest::keyClick(keyTarget(), stroke.key, stroke.modifiers);
            return;
        }
        const Caret caretBefore = CaretOf(*field);
        const QString before = field->text();
        const QString pasted = QGuiApplication::clipboard()->text();
        const bool replacesSelection = field->hasSelectedText();
        const int start = replacesSelection ? field->selectionStart() : field->cursorPosition();
        // Refused, read-only or an empty clipboard: nothing changes.
        std::optional<QString> expected = before;
        bool taken = false;
        if (!field->isReadOnly() && !pasted.isEmpty()) {
            const int replaced = replacesSelection ? field->selectionLength() : 0;
            const QString combined = before.left(start) + pasted + before.mid(start + replaced);
            if (varlo::IsDecimalText(ToField(combined), varlo::CurrentSeparators())) {
                expected = RewrittenOnFocusLoss(combined);
                taken = expected.has_value();
            }
        }
        QTest::keyClick(field, stroke.key, stroke.modifiers);
        if (field->text() != before)
            ++m_pastesTaken;
        if (!expected) {
            ++m_expectedErrors;
            expected = before;
        }
        if (field->text() != *expected) {
            fail(QStringLiteral("%1 shows '%2' after the paste, not '%3'")
                     .arg(field->objectName(), Shorten(field->text()), Shorten(*expected)));
            return;
        }
        // The caret goes behind the pasted text, or the pasted range is
        // selected, both cut back to the end of the rewritten text.
        Caret caretExpected = caretBefore;
        if (taken) {
            const auto length = static_cast<int>(expected->size());
            const int from = std::min(start, length);
            const int to = std::min(start + static_cast<int>(pasted.size()), length);
            caretExpected = replacesSelection && to > from ? Caret{to, from, to - from}
                            : replacesSelection            ? Caret{from, 0, 0}
                                                           : Caret{to, 0, 0};
        }
        if (CaretOf(*field) != caretExpected)
            fail(QStringLiteral("%1 has the caret at %2 after the paste, not at %3")
                     .arg(field->objectName(), CaretOf(*field).toString(),
                          caretExpected.toString()));
    }

    QPoint randomPointIn(const QWidget &widget)
    {
        return QPoint(static_cast<int>(Below(m_random, std::max(1, widget.width()))),
                      static_cast<int>(Below(m_random, std::max(1, widget.height()))));
    }

    void clickSomewhere()
    {
        // Mostly into a field or onto "=", sometimes anywhere in the window
        // (labels, picture, background).
        QWidget *target = Pick(m_random, m_focusable);
        QPoint at = randomPointIn(*target);
        if (Chance(m_random, 20)) {
            const QPoint inWindow = randomPointIn(*m_window);
            QWidget *under = m_window->childAt(inWindow);
            target = under ? under : m_window.data();
            at = target->mapFrom(m_window.data(), inWindow);
        }
        switch (Below(m_random, 6)) {
        case 0:
            // As the platform delivers one: press, release, double click, release.
            note(QStringLiteral("double click %1").arg(target->objectName()));
            QTest::mouseClick(target, Qt::LeftButton, {}, at);
            QTest::mouseDClick(target, Qt::LeftButton, {}, at);
            QTest::mouseRelease(target, Qt::LeftButton, {}, at);
            break;
        case 1: {
            const QPoint to = randomPointIn(*target);
            note(QStringLiteral("drag in %1").arg(target->objectName()));
            QTest::mousePress(target, Qt::LeftButton, {}, at);
            QTest::mouseMove(target, to);
            QTest::mouseRelease(target, Qt::LeftButton, {}, to);
            break;
        }
        case 2:
            note(QStringLiteral("shift click %1").arg(target->objectName()));
            QTest::mouseClick(target, Qt::LeftButton, Qt::ShiftModifier, at);
            break;
        default:
            note(QStringLiteral("click %1").arg(target->objectName()));
            QTest::mouseClick(target, Qt::LeftButton, {}, at);
            break;
        }
    }

    void moveFocus()
    {
        static const std::vector<Qt::FocusReason> reasons = {
            Qt::TabFocusReason, Qt::BacktabFocusReason, Qt::MouseFocusReason, Qt::OtherFocusReason,
            Qt::ShortcutFocusReason};
        QWidget *target = Pick(m_random, m_focusable);
        note(QStringLiteral("focus to %1").arg(target->objectName()));
        target->setFocus(Pick(m_random, reasons));
    }

    void pressEquals()
    {
        switch (Below(m_random, 3)) {
        case 0:
            note(QStringLiteral("Space on ="));
            m_button->setFocus(Qt::TabFocusReason);
            checkFocusLosses();
            QTest::keyClick(m_button, Qt::Key_Space);
            break;
        case 1:
            note(QStringLiteral("Enter on ="));
            m_button->setFocus(Qt::TabFocusReason);
            checkFocusLosses();
            QTest::keyClick(m_button, Qt::Key_Return);
            break;
        default:
            note(QStringLiteral("click ="));
            ClickEquals(*m_window);
            break;
        }
    }

    // Another window of the program takes the activation, and gives it back.
    void switchWindows()
    {
        note(QStringLiteral("switch to the owner and back"));
        // The event loop runs here, and with it the text box's triple-click
        // timer: let it expire first, so that the run does not depend on the
        // machine's speed.
        QTest::qSleep(2 * QGuiApplication::styleHints()->mouseDoubleClickInterval());
        m_owner.activateWindow();
        if (!QTest::qWaitFor([this] { return QApplication::activeWindow() == &m_owner; }))
            fail(QStringLiteral("the owner window did not become active"));
        checkFocusLosses();
        m_window->activateWindow();
        if (!QTest::qWaitFor([this] { return QApplication::activeWindow() == m_window; }))
            fail(QStringLiteral("the calculator did not become active again"));
    }

    void equalsPressed()
    {
        checkFocusLosses();
        m_resultBefore = m_result->text();
    }

    void equalsClicked()
    {
        ++m_calculations;
        std::optional<QString> expected = m_resultRule(*m_window);
        if (!expected) {
            ++m_expectedErrors;
            expected = m_resultBefore;
        }
        if (!m_result->text().isEmpty())
            ++m_densitiesShown;
        if (m_result->text() != *expected)
            fail(QStringLiteral("\"=\" shows '%1', not '%2'").arg(m_result->text(), *expected));
    }

    // A field that lost the focus shows its number in the standard form, or
    // keeps its text when the number overflows.
    void checkFocusLosses()
    {
        for (const FocusLoss &loss : m_focusLosses) {
            if (!loss.field)
                continue;
            ++m_focusLossesChecked;
            std::optional<QString> expected = RewrittenOnFocusLoss(loss.textBefore);
            if (!expected) {
                ++m_expectedErrors;
                expected = loss.textBefore;
            }
            if (loss.field->text() != *expected)
                fail(QStringLiteral("%1 shows '%2' after losing the focus with '%3', not '%4'")
                         .arg(loss.field->objectName(), Shorten(loss.field->text()),
                              Shorten(loss.textBefore), Shorten(*expected)));
        }
        m_focusLosses.clear();
    }

    void checkStep(qsizetype errorsBefore)
    {
        if (!m_window || !m_window->isVisible()) {
            fail(QStringLiteral("the window closed"));
            return;
        }
        if (QApplication::activeWindow() != m_window)
            fail(QStringLiteral("the window is no longer active"));
        const QString result = m_result->text();
        if (!result.isEmpty() && RewrittenOnFocusLoss(result) != result)
            fail(QStringLiteral("the result field shows '%1', which no write gives").arg(result));
        for (const NumericEdit *field : m_fields) {
            if (field != m_result)
                checkInputText(field);
        }

        const std::vector<std::exception_ptr> &errors = TestApp::instance()->errors();
        const auto reported = static_cast<qsizetype>(errors.size()) - errorsBefore;
        m_overflows += static_cast<int>(reported);
        for (auto error = errors.begin() + errorsBefore; error != errors.end(); ++error) {
            try {
                std::rethrow_exception(*error);
            } catch (const varlo::EOverflow &e) {
                if (QString::fromUtf8(e.what()) != OverflowMessage)
                    fail(QStringLiteral("overflow reported as: %1")
                             .arg(QString::fromUtf8(e.what())));
            } catch (const std::exception &e) {
                fail(QStringLiteral("error reported: %1").arg(QString::fromUtf8(e.what())));
            } catch (...) {
                fail(QStringLiteral("error of unknown kind reported"));
            }
        }
        if (reported != m_expectedErrors)
            fail(QStringLiteral("%1 errors reported, %2 overflows expected")
                     .arg(reported)
                     .arg(m_expectedErrors));
    }

    // Typing and pasting let nothing but digits, separators and one minus sign
    // in, and never a second decimal separator.
    void checkInputText(const NumericEdit *field)
    {
        const QString text = field->text();
        for (const QChar c : text) {
            const bool digit = c >= u'0' && c <= u'9';
            if (!digit && c != m_setting.decimal && c != m_setting.thousands && c != u'-') {
                fail(QStringLiteral("%1 holds '%2'").arg(field->objectName(), Shorten(text)));
                return;
            }
        }
        if (text.count(m_setting.decimal) > 1 || text.count(u'-') > 1)
            fail(QStringLiteral("%1 holds '%2'").arg(field->objectName(), Shorten(text)));
    }

    QPointer<QDialog> m_window;
    QWidget &m_owner;
    ResultRule m_resultRule;
    Random m_random;
    TextMaker m_texts;
    Setting m_setting;
    QList<NumericEdit *> m_fields;
    NumericEdit *m_result = nullptr;
    QPushButton *m_button = nullptr;
    std::vector<QWidget *> m_focusable;

    int m_step = 0;
    qsizetype m_expectedErrors = 0;
    std::vector<FocusLoss> m_focusLosses;
    QHash<const NumericEdit *, QString> m_entryTexts;
    QString m_resultBefore;
    std::deque<QString> m_recent;
    QString m_failure;
    int m_pastes = 0;
    int m_pastesTaken = 0;
    int m_calculations = 0;
    int m_densitiesShown = 0;
    int m_focusLossesChecked = 0;
    int m_overflows = 0;
};

using WindowFactory = std::function<std::unique_ptr<QDialog>(QWidget *owner)>;

} // namespace

Q_DECLARE_METATYPE(WindowFactory)
Q_DECLARE_METATYPE(ResultRule)

class SoakTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void randomSessionKeepsEveryPromise_data();
    void randomSessionKeepsEveryPromise();
};

void SoakTest::initTestCase()
{
    // Qt's triple click runs on a wall-clock timer; a short one keeps the runs
    // fast (see switchWindows).
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(1);
}

void SoakTest::cleanup()
{
    varlo::SetCurrentSeparators(varlo::Separators{});
    TestApp::instance()->clearErrors();
}

void SoakTest::randomSessionKeepsEveryPromise_data()
{
    QTest::addColumn<WindowFactory>("factory");
    QTest::addColumn<ResultRule>("resultRule");
    QTest::addColumn<QString>("setting");
    QTest::addColumn<int>("run");
    const WindowFactory cilindric = [](QWidget *owner) {
        return std::make_unique<varlo::TCilindricForm>(owner);
    };
    const WindowFactory conic = [](QWidget *owner) {
        return std::make_unique<varlo::TConicForm>(owner);
    };
    const ResultRule cilindricResult = CilindricResult;
    const ResultRule conicResult = ConicResult;
    QTest::newRow("cylindrical, point")
        << cilindric << cilindricResult << QStringLiteral(".,") << 0;
    QTest::newRow("cylindrical, comma")
        << cilindric << cilindricResult << QStringLiteral(",.") << 1;
    QTest::newRow("conical, point") << conic << conicResult << QStringLiteral(".,") << 2;
    QTest::newRow("conical, comma") << conic << conicResult << QStringLiteral(",.") << 3;
}

void SoakTest::randomSessionKeepsEveryPromise()
{
    QFETCH(WindowFactory, factory);
    QFETCH(ResultRule, resultRule);
    QFETCH(QString, setting);
    QFETCH(int, run);
    const Setting separators{setting.at(0), setting.at(1)};
    varlo::SetCurrentSeparators(
        varlo::Separators{separators.decimal.unicode(), separators.thousands.unicode()});
    TestApp::instance()->clearErrors();

    QWidget owner;
    owner.setWindowTitle(QStringLiteral("owner"));
    owner.resize(300, 200);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    const std::unique_ptr<QDialog> window = factory(&owner);
    // A window counts as active for QTest as soon as its owner is, so wait for
    // the activation itself.
    ShowActive(*window);
    QVERIFY(QTest::qWaitFor([&window] { return QApplication::activeWindow() == window.get(); }));
    QVERIFY(qobject_cast<NumericEdit *>(QApplication::focusWidget()));

    const std::uint64_t seed = SoakSeed() + static_cast<std::uint64_t>(run);
    const int steps = SoakSteps();
    Soak soak(*window, owner, resultRule, separators, seed);
    QElapsedTimer clock;
    clock.start();
    const QString failure = soak.run(steps);
    QVERIFY2(failure.isEmpty(), qPrintable(QStringLiteral("seed %1 (VARLO_SOAK_SEED=%2), %3")
                                               .arg(seed)
                                               .arg(SoakSeed())
                                               .arg(failure)));
    qInfo("seed %llu, %d steps in %lld ms: %s", static_cast<unsigned long long>(seed), steps,
          static_cast<long long>(clock.elapsed()), qPrintable(soak.summary()));
}

VARLO_TEST_APP_MAIN(SoakTest)
#include "soak_test.moc"
