#include "store/Unit15.h"

TForm15* Form15 = nullptr;

TForm15::TForm15(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form15"));
    setWindowTitle(QStringLiteral("Зелмар"));
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(false);
    Form15 = this;
}
