#include "operations/Unit4.h"

#include "store/PaintedComboBox.h"

#include <QFormLayout>

TForm4* Form4 = nullptr;

TForm4::TForm4(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Зелмар"));
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(false);
    ComboBox2 = new PaintedComboBox(this);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setReadOnly(true);
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit3 = new QLineEdit(this);
    Edit3->setObjectName(QStringLiteral("Edit3"));
    Edit3->setReadOnly(true);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Товар"), ComboBox2);
    layout->addRow(QStringLiteral("Цена"), Edit1);
    layout->addRow(QStringLiteral("Кол-во"), Edit2);
    layout->addRow(QStringLiteral("В наличии"), Edit3);
    Form4 = this;
}
