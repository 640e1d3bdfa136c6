#pragma once

#include <QClipboard>
#include <QLineEdit>
#include <QString>

class QMenu;

namespace varlo
{

// The single-line box every number of the calculator lives in: an unsigned
// decimal number with `Precision` decimals in the user's separators. It filters
// what is typed and pasted, gives back on Esc the text it had when it got the
// focus, and rewrites its text into the standard form whenever it loses the focus.
// The read-only variant (the result field) takes the focus and can be copied from,
// but only the program writes it.
class NumericEdit : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(int Precision READ precision WRITE setPrecision)

public:
    explicit NumericEdit(QWidget *parent = nullptr);

    // Empties the field directly, without the rewriting of a text assignment.
    void Clear();

    // The field's number by the read rule; empty or unreadable text reads as 0.
    // Throws EOverflow when the number lies beyond the double range.
    double numberValue() const;
    // Shows `value` in the standard form; works on the read-only field as well.
    void setNumberValue(double value);
    // Shows `text` as a field assignment normalises it.
    void assignText(const QString &text);

    int precision() const { return m_precision; }
    void setPrecision(int decimals);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void initStyleOption(QStyleOptionFrame *option) const override;

private:
    void typeCharacter(QChar typed);
    void pasteFrom(QClipboard::Mode mode);
    void cutSelection();
    void deleteSelection();
    void restoreEntryText();
    void rewriteText();
    void replaceTextAsEdit(const QString &newText);
    QMenu *createFieldContextMenu();
    bool pressIsInsideSelection(const QPoint &position);
    bool pressCompletesTripleClick(const QPoint &position) const;

    int m_precision = 1;
    // The text the field had when it last received the focus; Esc brings it back.
    QString m_entryText;
    // The focus came with a mouse press that has not been handled yet: that press
    // places the caret as in any text box.
    bool m_pressGivesFocus = false;
    // A left press landed inside the selection; the release places the caret.
    bool m_pressedInsideSelection = false;
    // When and where the last double click was, to let a third click select all.
    qint64 m_doubleClickTime = -1;
    QPoint m_doubleClickPosition;
};

} // namespace varlo
