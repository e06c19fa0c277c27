#pragma once
// The headline: a label that shows a pick as fitHeadline() laid it out, each line as the
// fit broke it, in the fit's type size. Its text is what it shows, so that the text read
// back and the text a screen reader speaks are what the audience sees.
#include "widgets/textfit.h"

#include <QLabel>

class Headline : public QLabel {
  Q_OBJECT

 public:
  explicit Headline(QWidget* parent = nullptr);

  // Shows `fit` in `face` (its family and weight) at the fit's size.
  void showFit(const HeadlineFit& fit, const QFont& face);
  const HeadlineFit& fit() const { return fit_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  HeadlineFit fit_;
};
