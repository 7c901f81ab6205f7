#include "settings/Unit13.h"

TForm13* Form13 = nullptr;

TForm13::TForm13(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form13"));
    setWindowTitle(QStringLiteral("Зелмар"));
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(false);
    Form13 = this;
}
