#include "settings/Unit10.h"

TForm10* Form10 = nullptr;

TForm10::TForm10(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(QStringLiteral("Зелмар"));
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(false);
    Form10 = this;
}
