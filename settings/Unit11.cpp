#include "settings/Unit11.h"

TForm11* Form11 = nullptr;

TForm11::TForm11(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(QStringLiteral("Зелмар"));
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(false);
    Form11 = this;
}
