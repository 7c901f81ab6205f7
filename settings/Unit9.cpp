#include "settings/Unit9.h"

TForm9* Form9 = nullptr;

TForm9::TForm9(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("Зелмар"));
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(false);
    Form9 = this;
}
