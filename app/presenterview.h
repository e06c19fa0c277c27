#pragma once
// The audience's view: a window of its own for a second screen (a projector), full screen,
// without frame or controls. Over the event's picture, scaled to cover the screen, it shows
// the event's title, the prize being drawn, during a draw the flickering pick and after
// Stop the winners of that draw in the largest type at which all of them fit, and the
// prize's count of winners so far. It can be blacked out.
//
// It paints only when something it shows has changed, at most once per frame of its
// screen (update() coalesces), and lays the names out only when they change. A running
// draw's pick repaints only the lines' strips where its characters were and where they go.
#include "platform/text.h"
#include "widgets/namefit.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPixmap>
#include <QRegion>
#include <QWidget>

#include <optional>
#include <unordered_map>
#include <vector>

class PresenterView : public QWidget {
  Q_OBJECT

 public:
  explicit PresenterView(QWidget* parent = nullptr);

  // What the view shows. Each setter repaints only what changed.
  void setTitle(const QString& title);
  void setPicture(const QImage& picture);
  void setPrize(const QString& prize);
  void setCount(const QString& count);  // the prize's winners so far, as the counter shows it
  // The names of the current pick (`drawing`) or of the last draw's winners, each one name
  // as bytes. `source` is the text they were cut from: the same source is the same names.
  void setNames(const Text& source, std::vector<Text> names, bool drawing);
  void setBlackout(bool on);
  bool blackout() const { return blackout_; }
  // The prize and the count of winners that the view shows.
  const QString& prize() const { return prize_; }
  const QString& count() const { return count_; }
  // The text the names shown were cut from, and whether they are a running draw's pick.
  const Text& namesSource() const { return source_; }
  bool drawing() const { return drawing_; }

  // Where the parts go in a view of this size (the names' box is where the names are laid
  // out), for the tests and the benchmarks.
  struct Bands {
    QRect title, prize, names, count;
  };
  static Bands bandsFor(const QSize& size);

  // The layout of the names last painted: the fit, and how many times the names were laid
  // out since the view was made (a layout per change of names, not per paint).
  const NameFit& namesFit() const { return layout_.fit; }
  int namesLayouts() const { return layouts_; }
  // The pixels painted since the view was made, the areas of all its paints added up.
  qint64 paintedPixels() const { return painted_; }
  // Lays the current names out for the current size at once, as the next paint would.
  void layOutNames();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct NamesLayout {
    Text source;
    QSize box;
    int ceiling = 0;
    NameFit fit;
    QFont font;
    std::vector<QString> lines;   // each line's names as one text, "…" where cut
    std::vector<QPointF> places;  // each line's baseline start, in the view
    QRect bounds;                 // where the names are painted
    bool valid = false;
  };
  struct Measured {
    QString text;
    double width;  // at a size of 1 px
  };
  const Measured& measured(const Text& name);
  static constexpr size_t kMeasuredMost = 1 << 17;
  void paintBackground(QPainter& p, const QRegion& area);
  void paintLine(QPainter& p, const QRect& band, const QString& text, const QFont& face, const QColor& colour);
  void paintNames(QPainter& p);
  void paintPick(QPainter& p);
  struct Glyph {
    QRect source;    // the character's ink in the pick's colour, in atlas_; empty: none
    QPoint offset;   // the ink's top-left from the character's baseline start
    double advance = 0;
  };
  const Glyph& glyph(char32_t c);
  // The glyphs share one image, filled shelf by shelf and emptied when full: at a wall's
  // size one glyph takes a megabyte, and an image of its own for each, made and freed as
  // the characters come and go, cost more than drawing them.
  static constexpr int kAtlasWidth = 4096, kAtlasHeight = 6144;  // 96 MB
  QPoint atlasPlace(const QSize& size);
  void emptyAtlas();
  // Where the pick's characters go (their images, put together once per layout) and the
  // strips of its lines that they cover.
  struct Placed {
    QRect source;
    QPoint at;
  };
  void placePick();
  void placeCharacters();
  // Where the names now laid out put their pixels.
  QRegion namesArea();
  int namesCeiling() const;

  QString title_, prize_, count_;
  QImage picture_;
  QPixmap cover_;  // the picture scaled to cover the view, darkened; made once per size
  Text source_;
  std::vector<Text> names_;
  bool drawing_ = false;
  int heldSize_ = 0;  // during a draw the type only shrinks, so the pick does not jump about
  bool blackout_ = false;
  NamesLayout layout_;
  int layouts_ = 0;
  qint64 painted_ = 0;
  std::unordered_map<Text, Measured> measured_;
  std::unordered_map<char32_t, Glyph> glyphs_;  // at glyphSize_, for a running draw's pick
  int glyphSize_ = 0;
  std::optional<QFontMetricsF> glyphMetrics_;  // of the names' face at glyphSize_
  QImage atlas_;
  QPoint shelf_;          // where the next glyph goes on the current shelf of atlas_
  int shelfHeight_ = 0;
  bool atlasEmptied_ = false;  // since placePick began
  QImage scratch_;  // where a glyph is drawn before it is cut to its ink
  std::vector<Placed> placed_;
  std::vector<std::pair<QRect, size_t>> strips_;  // each line's strip and its first character
  QRegion pickArea_;
  int placedFor_ = -1;  // the layout (namesLayouts()) the pick was put together for
  // Where the names on the screen may have pixels: what a change of names paints over.
  QRegion namesShown_;
};
