#include "operations/Unit5.h"

TForm5* Form5 = nullptr;

TForm5::TForm5(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Зелмар"));
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(false);
    Form5 = this;
}
