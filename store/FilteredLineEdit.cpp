#include "store/FilteredLineEdit.h"

#include "platform/RegionalSettings.h"
#include "store/procedures.h"

#include <QKeyEvent>
#include <QValidator>

namespace {

// Refuses any text holding a character that may not stand in the box.
class AllowedCharacters : public QValidator {
public:
    AllowedCharacters(FilteredLineEdit::Allowed allowed, QObject* parent) : QValidator(parent), allowed(std::move(allowed)) {}

    State validate(QString& input, int&) const override {
        for (const QChar c : input) {
            if (!allowed(c))
                return Invalid;
        }
        return Acceptable;
    }

private:
    FilteredLineEdit::Allowed allowed;
};

} // namespace

FilteredLineEdit::FilteredLineEdit(QWidget* parent) : QLineEdit(parent) {
    setAllowed([](QChar c) { return c != QLatin1Char('"'); });
}

namespace {
bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
} // namespace

FilteredLineEdit* FilteredLineEdit::moneyBox(QWidget* parent, const char* name) {
    auto* box = new FilteredLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setKeyFilter([](const QString& text, int caret, QChar typed) { return MoneyKeyFilter(text, caret, typed); });
    box->setAllowed([](QChar c) { return isDigit(c) || c == RegionalSettings::decimalSeparator(); });
    return box;
}

FilteredLineEdit* FilteredLineEdit::countBox(QWidget* parent, const char* name) {
    auto* box = new FilteredLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setKeyFilter([](const QString&, int, QChar typed) { return DigitKeyFilter(typed); });
    box->setAllowed(isDigit);
    return box;
}

void FilteredLineEdit::setKeyFilter(KeyFilter filter) { keyFilter = std::move(filter); }

void FilteredLineEdit::setAllowed(Allowed allowed) {
    const QValidator* old = validator();
    setValidator(new AllowedCharacters(std::move(allowed), this));
    delete old;
}

void FilteredLineEdit::keyPressEvent(QKeyEvent* event) {
    if (!keyFilter) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QString text = event->text();
    const bool backspace = event->key() == Qt::Key_Backspace;
    // Keys that type nothing (arrows, shortcuts such as Ctrl+V, Enter, Esc) keep their usual meaning.
    const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (shortcut || (!backspace && (text.size() != 1 || !text.at(0).isPrint()))) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QChar typed = backspace ? kBackspace : text.at(0);
    const QChar result = keyFilter(this->text(), cursorPosition(), typed);
    if (result.isNull()) {
        event->accept();
        return;
    }
    if (result == kBackspace) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    insert(QString(result));
    event->accept();
}
