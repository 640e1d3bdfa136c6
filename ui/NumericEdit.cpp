#include "ui/NumericEdit.h"

#include "calc/field_values.h"
#include "ui/ErrorReport.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QStyleHints>
#include <QStyleOptionFrame>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace varlo
{

namespace
{

FieldText ToFieldText(const QString &text)
{
    return text.toStdU16String();
}

QString ToQString(const FieldText &text)
{
    return QString::fromStdU16String(text);
}

bool IsAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool IsCommaOrPoint(QChar c)
{
    return c == u',' || c == u'.';
}

// What the field shows at the moment a character is typed. Positions count
// characters in front of them, as the caret does.
struct EditState {
    QString text;
    int caret = 0;
    int selectionStart = 0;
    int selectionLength = 0;
};

enum class TypingOutcome {
    Drop,                 // text, caret and selection stay
    MoveBehindDecimal,    // caret just behind the existing decimal separator
    ReplaceNextCharacter, // the character behind the caret gives way to the digit
    StartDecimal,         // an empty text becomes "0" and the decimal separator
    Take,                 // the text box inserts or deletes as usual
};

// The decimals are full at the caret when the caret stands behind the decimal
// separator, no more than `precision` characters follow the caret and at least
// `precision` characters follow the separator.
bool DecimalsFullAtCaret(const EditState &state, int precision, QChar decimal)
{
    const qsizetype index = state.text.indexOf(decimal);
    if (index < 0)
        return false;
    const qsizetype length = state.text.size();
    const qsizetype separatorPosition = index + 1; // counted from 1
    return state.caret >= separatorPosition && length - state.caret <= precision &&
           length - separatorPosition >= precision;
}

// Whether a separator may be typed at `caret` into a text that holds thousands
// separators. Positions of characters count from 1. The caret is measured
// against each separator in turn and only shifted by the separators it lies
// behind, so a separator is accepted only where the smallest distance found is
// exactly three.
bool SeparatorSpacingAllows(const QString &text, int caret, QChar thousands)
{
    qsizetype c = caret;
    qsizetype smallest = text.size();
    QStringView rest(text);
    for (qsizetype index = rest.indexOf(thousands); index >= 0; index = rest.indexOf(thousands)) {
        const qsizetype position = index + 1;
        const qsizetype distance = std::abs(position - c);
        smallest = std::min(smallest, distance);
        if (distance < 3)
            return false;
        if (c > position)
            c -= position;
        rest = rest.mid(position);
    }
    return smallest <= 3;
}

TypingOutcome DecideTyping(QChar typed, const EditState &state, int precision,
                           const Separators &separators)
{
    const QChar decimal(separators.decimal);
    const QChar thousands(separators.thousands);
    const bool backspace = typed == u'\b';

    // Enter, the minus sign, commas and points that are no separator here,
    // letters, spaces, other punctuation and control characters.
    if (!backspace && !IsAsciiDigit(typed) && !IsCommaOrPoint(typed))
        return TypingOutcome::Drop;
    if (IsCommaOrPoint(typed) && typed != decimal && typed != thousands)
        return TypingOutcome::Drop;

    if (typed == decimal) {
        const qsizetype existing = state.text.indexOf(decimal);
        const bool selectionHoldsIt = existing >= state.selectionStart &&
                                      existing < state.selectionStart + state.selectionLength;
        if (existing >= 0 && !selectionHoldsIt)
            return TypingOutcome::MoveBehindDecimal;
    }
    if ((typed == decimal || typed == thousands) && state.text.contains(thousands)) {
        const int measuredFrom = state.selectionLength > 0 ? state.selectionStart : state.caret;
        if (!SeparatorSpacingAllows(state.text, measuredFrom, thousands))
            return TypingOutcome::Drop;
    }
    if (IsAsciiDigit(typed) && state.selectionLength == 0 &&
        DecimalsFullAtCaret(state, precision, decimal)) {
        return state.caret == state.text.size() ? TypingOutcome::Drop
                                                : TypingOutcome::ReplaceNextCharacter;
    }
    if (typed == decimal && state.text.isEmpty() && state.caret == 0)
        return TypingOutcome::StartDecimal;
    return TypingOutcome::Take;
}

bool IsPaste(const QKeyEvent *event)
{
    return event->matches(QKeySequence::Paste);
}

bool IsClipboardCommand(const QKeyEvent *event)
{
    return event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut) ||
           IsPaste(event);
}

bool IsHandedOnKey(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return true;
    default:
        return false;
    }
}

// Keys whose editing or navigation is the text box's own, even where the
// platform gives them a text (Delete as DEL, Tab as a tab character).
bool IsTextBoxKey(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    default:
        return event->text().isEmpty() || event->matches(QKeySequence::Undo) ||
               event->matches(QKeySequence::Redo);
    }
}

// Ctrl turns a key into a command; Ctrl together with Alt is AltGr, which types.
bool IsControlCombination(const QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    return modifiers.testFlag(Qt::ControlModifier) && !modifiers.testFlag(Qt::AltModifier);
}

QString MenuText(const QString &text, QKeySequence::StandardKey shortcut)
{
    if (QCoreApplication::testAttribute(Qt::AA_DontShowShortcutsInContextMenus) ||
        !QGuiApplication::styleHints()->showShortcutsInContextMenus()) {
        return text;
    }
    return text + u'\t' + QKeySequence(shortcut).toString(QKeySequence::NativeText);
}

QAction *AddMenuAction(QMenu *menu, const QString &text, const QString &iconName, bool enabled)
{
    QAction *action = menu->addAction(text);
    action->setIcon(QIcon::fromTheme(iconName));
    action->setEnabled(enabled);
    return action;
}

} // namespace

NumericEdit::NumericEdit(QWidget *parent) : QLineEdit(parent)
{
    // Text arrives only through typing and the clipboard rules; a drop would
    // bypass both.
    setAcceptDrops(false);
    setDragEnabled(false);
}

void NumericEdit::Clear()
{
    setText(QString());
}

double NumericEdit::numberValue() const
{
    return ReadNumberValue(ToFieldText(text()), CurrentSeparators());
}

void NumericEdit::setNumberValue(double value)
{
    setText(ToQString(WriteNumberValue(value, m_precision, CurrentSeparators())));
}

void NumericEdit::assignText(const QString &newText)
{
    setText(ToQString(AssignFieldText(ToFieldText(newText), m_precision, CurrentSeparators())));
}

void NumericEdit::setPrecision(int decimals)
{
    m_precision = std::max(decimals, 0);
}

bool NumericEdit::event(QEvent *event)
{
    // The clipboard commands stay the field's own even where the window binds
    // the same keys.
    if (event->type() == QEvent::ShortcutOverride &&
        IsClipboardCommand(static_cast<QKeyEvent *>(event))) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void NumericEdit::keyPressEvent(QKeyEvent *event)
{
    m_pressGivesFocus = false;
    if (event->matches(QKeySequence::Copy)) {
        copy();
        return;
    }
    if (event->matches(QKeySequence::Cut)) {
        cutSelection();
        return;
    }
    if (IsPaste(event)) {
        CallReportingErrors([this] { pasteFrom(QClipboard::Clipboard); });
        return;
    }
    if (IsHandedOnKey(event)) {
        // Enter changes nothing here; Esc brings back the entry text. The
        // window sees both keys.
        if (event->key() == Qt::Key_Escape)
            restoreEntryText();
        event->ignore();
        return;
    }
    if (event->key() == Qt::Key_Backspace) {
        if (!isReadOnly())
            QLineEdit::keyPressEvent(event);
        return;
    }
    if (IsTextBoxKey(event)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (IsControlCombination(event)) {
        event->ignore(); // a command this field does not offer
        return;
    }
    for (const QChar typed : event->text())
        typeCharacter(typed);
}

void NumericEdit::keyReleaseEvent(QKeyEvent *event)
{
    QLineEdit::keyReleaseEvent(event);
    // The window gets the whole key stroke of the keys it is handed.
    if (IsHandedOnKey(event))
        event->ignore();
}

void NumericEdit::inputMethodEvent(QInputMethodEvent *event)
{
    // Only committed characters reach the text, each as if typed; a composition
    // in progress is not shown and replacements of surrounding text are refused.
    for (const QChar typed : event->commitString())
        typeCharacter(typed);
    event->accept();
}

void NumericEdit::typeCharacter(QChar typed)
{
    const Separators separators = CurrentSeparators();
    const EditState state{text(), cursorPosition(), selectionStart(), selectionLength()};
    switch (DecideTyping(typed, state, m_precision, separators)) {
    case TypingOutcome::Drop:
        return;
    case TypingOutcome::MoveBehindDecimal:
        setCursorPosition(static_cast<int>(state.text.indexOf(QChar(separators.decimal))) + 1);
        return;
    case TypingOutcome::ReplaceNextCharacter:
        setSelection(state.caret, 1);
        break;
    case TypingOutcome::StartDecimal:
        if (!isReadOnly())
            insert(QString(u'0') + QChar(separators.decimal));
        return;
    case TypingOutcome::Take:
        break;
    }
    if (isReadOnly())
        return;
    if (typed == u'\b')
        backspace();
    else
        insert(QString(typed));
}

void NumericEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    // Coming back from the field's own context menu is no new entry.
    if (event->reason() == Qt::PopupFocusReason)
        return;
    m_entryText = text();
    selectAll();
    m_pressGivesFocus = event->reason() == Qt::MouseFocusReason;
}

void NumericEdit::focusOutEvent(QFocusEvent *event)
{
    // The base class first, so that the focus change completes even when the
    // rewrite fails.
    QLineEdit::focusOutEvent(event);
    m_pressGivesFocus = false;
    m_pressedInsideSelection = false;
    if (event->reason() == Qt::PopupFocusReason)
        return;
    CallReportingErrors([this] { rewriteText(); });
}

void NumericEdit::rewriteText()
{
    const Separators separators = CurrentSeparators();
    const double value = ReadNumberValue(ToFieldText(text()), separators);
    const QString rewritten = ToQString(WriteNumberValue(value, m_precision, separators));
    if (rewritten != text())
        setText(rewritten);
}

void NumericEdit::restoreEntryText()
{
    if (!isReadOnly())
        replaceTextAsEdit(m_entryText);
    selectAll();
}

// Replaces the whole text as an edit of the user's, so that the text box's undo
// can take it back.
void NumericEdit::replaceTextAsEdit(const QString &newText)
{
    if (newText == text())
        return;
    selectAll();
    insert(newText);
}

void NumericEdit::pasteFrom(QClipboard::Mode mode)
{
    if (isReadOnly())
        return;
    const QString pasted = QGuiApplication::clipboard()->text(mode);
    if (pasted.isEmpty())
        return;
    const QString current = text();
    const bool replacesSelection = hasSelectedText();
    const int start = replacesSelection ? selectionStart() : cursorPosition();
    const int replaced = replacesSelection ? selectionLength() : 0;
    const FieldText combined =
        ToFieldText(current.left(start) + pasted + current.mid(start + replaced));
    const Separators separators = CurrentSeparators();
    if (!IsDecimalText(combined, separators))
        return;
    const double value = ReadNumberValue(combined, separators);
    const QString rewritten = ToQString(WriteNumberValue(value, m_precision, separators));
    replaceTextAsEdit(rewritten);

    const auto length = static_cast<int>(rewritten.size());
    const int from = std::min(start, length);
    const int to = std::min(start + static_cast<int>(pasted.size()), length);
    if (replacesSelection)
        setSelection(from, to - from);
    else
        setCursorPosition(to);
}

void NumericEdit::cutSelection()
{
    if (!hasSelectedText())
        return;
    copy();
    deleteSelection();
}

void NumericEdit::deleteSelection()
{
    if (!isReadOnly() && hasSelectedText())
        del();
}

void NumericEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createFieldContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

// The text box's usual menu, with cut, paste and delete going through the
// field's own rules.
QMenu *NumericEdit::createFieldContextMenu()
{
    auto *menu = new QMenu(this);
    const bool editable = !isReadOnly();
    const bool selected = hasSelectedText();
    if (editable) {
        QAction *undoAction =
            AddMenuAction(menu, MenuText(QLineEdit::tr("&Undo"), QKeySequence::Undo),
                          QStringLiteral("edit-undo"), isUndoAvailable());
        connect(undoAction, &QAction::triggered, this, &QLineEdit::undo);
        QAction *redoAction =
            AddMenuAction(menu, MenuText(QLineEdit::tr("&Redo"), QKeySequence::Redo),
                          QStringLiteral("edit-redo"), isRedoAvailable());
        connect(redoAction, &QAction::triggered, this, &QLineEdit::redo);
        menu->addSeparator();
        QAction *cutAction = AddMenuAction(menu, MenuText(QLineEdit::tr("Cu&t"), QKeySequence::Cut),
                                           QStringLiteral("edit-cut"), selected);
        connect(cutAction, &QAction::triggered, this, &NumericEdit::cutSelection);
    }
    QAction *copyAction = AddMenuAction(menu, MenuText(QLineEdit::tr("&Copy"), QKeySequence::Copy),
                                        QStringLiteral("edit-copy"), selected);
    connect(copyAction, &QAction::triggered, this, &QLineEdit::copy);
    if (editable) {
        QAction *pasteAction = AddMenuAction(
            menu, MenuText(QLineEdit::tr("&Paste"), QKeySequence::Paste),
            QStringLiteral("edit-paste"), !QGuiApplication::clipboard()->text().isEmpty());
        connect(pasteAction, &QAction::triggered, this,
                [this] { CallReportingErrors([this] { pasteFrom(QClipboard::Clipboard); }); });
        QAction *deleteAction =
            AddMenuAction(menu, QLineEdit::tr("Delete"), QStringLiteral("edit-delete"), selected);
        connect(deleteAction, &QAction::triggered, this, &NumericEdit::deleteSelection);
    }
    menu->addSeparator();
    QAction *selectAllAction =
        AddMenuAction(menu, QLineEdit::tr("Select All"), QStringLiteral("edit-select-all"),
                      !text().isEmpty() && selectedText() != text());
    connect(selectAllAction, &QAction::triggered, this, &QLineEdit::selectAll);
    return menu;
}

bool NumericEdit::pressIsInsideSelection(const QPoint &position)
{
    if (!hasSelectedText())
        return false;
    const int boundary = cursorPositionAt(position);
    return boundary >= selectionStart() && boundary <= selectionEnd();
}

bool NumericEdit::pressCompletesTripleClick(const QPoint &position) const
{
    // Mirrors the text box's own test, which selects the whole text.
    return m_doubleClickTime >= 0 && (position - m_doubleClickPosition).manhattanLength() <
                                         QGuiApplication::styleHints()->startDragDistance();
}

void NumericEdit::mousePressEvent(QMouseEvent *event)
{
    const bool pressGivesFocus = std::exchange(m_pressGivesFocus, false);
    const QPoint position = event->position().toPoint();
    const bool tripleClick =
        pressCompletesTripleClick(position) &&
        event->timestamp() - static_cast<quint64>(m_doubleClickTime) <
            static_cast<quint64>(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    m_doubleClickTime = -1;
    if (event->button() == Qt::LeftButton && hasFocus() && !pressGivesFocus && !tripleClick &&
        pressIsInsideSelection(position)) {
        m_pressedInsideSelection = true;
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void NumericEdit::mouseMoveEvent(QMouseEvent *event)
{
    if (m_pressedInsideSelection) {
        event->accept();
        return;
    }
    QLineEdit::mouseMoveEvent(event);
}

void NumericEdit::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_pressedInsideSelection) {
        m_pressedInsideSelection = false;
        setCursorPosition(cursorPositionAt(event->position().toPoint()));
        event->accept();
        return;
    }
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        // The X11 primary selection pastes where the middle press put the caret.
        if (!isReadOnly()) {
            deselect();
            CallReportingErrors([this] { pasteFrom(QClipboard::Selection); });
        }
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void NumericEdit::mouseDoubleClickEvent(QMouseEvent *event)
{
    QLineEdit::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) {
        m_doubleClickTime = static_cast<qint64>(event->timestamp());
        m_doubleClickPosition = event->position().toPoint();
    }
}

void NumericEdit::dragEnterEvent(QDragEnterEvent *event)
{
    event->ignore();
}

void NumericEdit::dragMoveEvent(QDragMoveEvent *event)
{
    event->ignore();
}

void NumericEdit::dropEvent(QDropEvent *event)
{
    event->ignore();
}

void NumericEdit::initStyleOption(QStyleOptionFrame *option) const
{
    QLineEdit::initStyleOption(option);
    // Painted like the input fields in every style: some styles grey out a
    // read-only box.
    option->state &= ~QStyle::State_ReadOnly;
}

} // namespace varlo
