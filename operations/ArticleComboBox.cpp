#include "operations/ArticleComboBox.h"

#include "store/FilteredLineEdit.h"
#include "store/procedures.h"

#include <QKeyEvent>

ArticleComboBox::ArticleComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    nameEdit = new FilteredLineEdit(this);
    nameEdit->setMaxLength(20);
    nameEdit->setKeyFilter([](const QString&, int, QChar typed) {
        return typed == kBackspace || nameCharacter(typed) ? typed : QChar();
    });
    nameEdit->setAllowed(nameCharacter);
    setLineEdit(nameEdit);
    // The box completes by its own rule; the platform's completer would act on other keys than typed ones.
    setCompleter(nullptr);
    // Enter confirms the window; it must not add the typed name to the list.
    setInsertPolicy(QComboBox::NoInsert);
    // With a placeholder, refilling the items of an empty box leaves its text empty instead of taking
    // the first item.
    setPlaceholderText(QStringLiteral(" "));
    connect(nameEdit, &QLineEdit::textEdited, this, &ArticleComboBox::nameEdited);
    connect(this, &QComboBox::activated, this, &ArticleComboBox::nameEdited);
}

bool ArticleComboBox::nameCharacter(QChar c) {
    const char16_t u = c.unicode();
    return u == u' ' || u == u'(' || u == u')' || (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') ||
           (u >= u'a' && u <= u'z') || (u >= 0x0410 && u <= 0x044F);
}

void ArticleComboBox::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    const bool typesCharacter =
        event->key() != Qt::Key_Backspace && typed.size() == 1 && typed.at(0).isPrint();
    const QString before = nameEdit->text();
    QComboBox::keyPressEvent(event);
    if (typesCharacter && nameEdit->text() != before)
        completeTypedText();
}

// Only a caret at the end completes: a key typed inside the name leaves the rest as it stands.
void ArticleComboBox::completeTypedText() {
    const QString text = nameEdit->text();
    if (text.isEmpty() || nameEdit->cursorPosition() != text.size())
        return;
    const QString wanted = LowerCaseRu(text);
    for (int i = 0; i < count(); ++i) {
        const QString item = itemText(i);
        if (!LowerCaseRu(item).startsWith(wanted))
            continue;
        if (item.size() > text.size()) {
            nameEdit->setText(text + item.mid(text.size()));
            nameEdit->setSelection(text.size(), item.size() - text.size());
            emit nameEdited();
        }
        return;
    }
}
