#include "operations/Unit6.h"

TForm6* Form6 = nullptr;

TForm6::TForm6(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Зелмар"));
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(false);
    Form6 = this;
}
