// The article box of the add-goods window: an editable list of the known article names that takes at
// most 20 characters of the goods-name set, typed or pasted, and completes what is typed to the first
// item beginning with it (letter case aside), the completed rest selected so that the next key
// replaces it. nameEdited tells of every change the user makes: typing, pasting, completion, choosing
// an item; the program's own emptying and refilling of the box does not count.
#pragma once

#include <QComboBox>

class FilteredLineEdit;

class ArticleComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ArticleComboBox(QWidget* parent = nullptr);

    FilteredLineEdit* edit() const { return nameEdit; }
    // Blank, brackets, digits, Latin letters and А to я (Ё and ё not among them).
    static bool nameCharacter(QChar c);

signals:
    void nameEdited();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void completeTypedText();

    FilteredLineEdit* nameEdit;
};
