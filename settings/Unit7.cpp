#include "settings/Unit7.h"

TForm7* Form7 = nullptr;

TForm7::TForm7(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Зелмар"));
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(false);
    Form7 = this;
}
