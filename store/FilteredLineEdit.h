// An input box whose typed keys pass a key filter (refused keys are dropped without a message, and
// a filter may turn one key into another, as the money filter turns "." into the decimal separator)
// and whose other input (pasting, dropping) is refused whole when it holds a character the box does
// not take. No statement value can therefore carry a character its box refuses, a double quote above
// all.
#pragma once

#include <QLineEdit>

#include <functional>

class FilteredLineEdit : public QLineEdit {
    Q_OBJECT
public:
    // The character to enter for a typed one given the box's text and caret; a null QChar refuses it.
    using KeyFilter = std::function<QChar(const QString& text, int caret, QChar typed)>;
    // Whether a character may stand in the box at all (for pasted and dropped text).
    using Allowed = std::function<bool(QChar)>;

    explicit FilteredLineEdit(QWidget* parent = nullptr);

    // A money box: the money key filter, and only digits and the decimal separator, typed or pasted.
    static FilteredLineEdit* moneyBox(QWidget* parent, const char* name);
    // A count box: the digit key filter, and only digits, typed or pasted.
    static FilteredLineEdit* countBox(QWidget* parent, const char* name);

    void setKeyFilter(KeyFilter filter);
    void setAllowed(Allowed allowed);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    KeyFilter keyFilter;
};
