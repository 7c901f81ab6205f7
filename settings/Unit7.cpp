#include "settings/Unit7.h"

#include "settings/AboutPicture.h"
#include "settings/JpegDecoder.h"
#include "store/WindowParts.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm7* Form7 = nullptr;

namespace {

// The picture is the window's own, made at build time; should it not decode, the window goes on
// without it rather than keep the program from starting.
QPixmap aboutPicture() {
    try {
        return QPixmap::fromImage(JpegDecoder::decode(QByteArray::fromRawData(
            reinterpret_cast<const char*>(kAboutPictureJpeg), qsizetype(kAboutPictureJpegSize))));
    } catch (const JpegError&) {
        return QPixmap();
    }
}

} // namespace

TForm7::TForm7(QWidget* parent) : QDialog(parent) {
    Form7 = this;
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("О программе"));
    WindowParts::useDialogFrame(this);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(89, 105);
    Image1->setScaledContents(true);
    Image1->setPixmap(aboutPicture());

    auto* group = new QGroupBox(this);
    Memo2 = new QPlainTextEdit(group);
    Memo2->setObjectName(QStringLiteral("Memo2"));
    Memo2->setPlainText(QStringLiteral("Представляет собой простенький электронный учет товара для \n"
                                       "предпринимателей, которые занимаются торговлей."));
    Memo2->setReadOnly(true);
    Memo2->setEnabled(false);
    Memo2->setFrameShape(QFrame::NoFrame);
    Memo2->viewport()->setAutoFillBackground(false);
    Memo2->setStyleSheet(QStringLiteral("QPlainTextEdit { background: transparent; }"));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    Memo2->setFont(font);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(Memo2);

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm7::BitBtn1Click);

    auto* top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addWidget(group, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(BitBtn1, 0, Qt::AlignHCenter);
    setFixedSize(480, 180);
}

TForm7::~TForm7() {
    if (Form7 == this)
        Form7 = nullptr;
}

void TForm7::BitBtn1Click() {
    hide();
}
