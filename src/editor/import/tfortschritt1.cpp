#include "editor/import/tfortschritt1.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>

#include "editor/uitext.h"
#include "shell/codepage.h"
#include "shell/language.h"

namespace tavo {

class TFortschritt1::Row : public ProgressDisplay {
 public:
  Row(TFortschritt1& window, QLabel* label, QProgressBar* bar, QLabel* percent)
      : window_(window), label_(label), bar_(bar), percent_(percent) {}

  void SetCaption(const std::string& caption) override {
    window_.setWindowTitle(Q(caption));
    if (!window_.isVisible()) {
      // Centred on the screen, as the program's other progress windows.
      if (const QScreen* screen = window_.screen())
        window_.move(screen->availableGeometry().center() - window_.rect().center());
      window_.show();
    }
    QCoreApplication::processEvents();
  }
  void SetLabel(const std::string& text) override { label_->setText(Q(text)); }
  void SetPercent(int percent) override {
    bar_->setValue(percent);
    percent_->setText(QString::number(percent) + " %");
    // Only here, when something visible changed, may the window repaint.
    QCoreApplication::processEvents();
  }

 private:
  TFortschritt1& window_;
  QLabel* label_;
  QProgressBar* bar_;
  QLabel* percent_;
};

TFortschritt1::TFortschritt1(Translator& translator, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      label1_(new QLabel(this)),
      projektBar_(new QProgressBar(this)),
      projektProzent_(new QLabel(this)),
      label2_(new QLabel(this)),
      teilBar_(new QProgressBar(this)),
      teilProzent_(new QLabel(this)) {
  setObjectName("TFortschritt1");
  setWindowModality(Qt::ApplicationModal);
  setWindowTitle(Q(translator.Tr(txt::kImportFensterTitel)));
  label1_->setObjectName("Label1");
  projektBar_->setObjectName("ProjektBar");
  projektProzent_->setObjectName("projekt_prozent");
  label2_->setObjectName("Label2");
  teilBar_->setObjectName("TeilBar");
  teilProzent_->setObjectName("Teil_Prozent");
  projektBar_->setToolTip(Q(translator.Tr(txt::kImportHintGesamt)));
  teilBar_->setToolTip(Q(translator.Tr(txt::kImportHintTeil)));
  for (QLabel* label : {label1_, label2_}) label->setText(Q(translator.Tr(txt::kImportProjekt)));
  for (QLabel* percent : {projektProzent_, teilProzent_})
    percent->setText(Q(translator.Tr(txt::kImportProzent100)));
  for (QProgressBar* bar : {projektBar_, teilBar_}) {
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    bar->setMinimumWidth(320);
  }

  auto* grid = new QGridLayout(this);
  grid->addWidget(label1_, 0, 0, 1, 2);
  grid->addWidget(projektBar_, 1, 0);
  grid->addWidget(projektProzent_, 1, 1);
  grid->addWidget(label2_, 2, 0, 1, 2);
  grid->addWidget(teilBar_, 3, 0);
  grid->addWidget(teilProzent_, 3, 1);
  grid->setColumnMinimumWidth(1, 48);

  projekt_ = std::make_unique<Row>(*this, label1_, projektBar_, projektProzent_);
  teil_ = std::make_unique<Row>(*this, label2_, teilBar_, teilProzent_);
}

TFortschritt1::~TFortschritt1() = default;

ProgressDisplay& TFortschritt1::Projekt() {
  return *projekt_;
}

ProgressDisplay& TFortschritt1::Teil() {
  return *teil_;
}

}  // namespace tavo
