#include "operations/Unit3.h"

#include <QVBoxLayout>

TForm3* Form3 = nullptr;

TForm3::TForm3(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Добавление товара реализатору"));
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(false);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ComboBox1);
    Form3 = this;
}
