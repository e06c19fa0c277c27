#include "data/xlsx.h"

#include "platform/codec.h"
#include "platform/message.h"

#include <QCoreApplication>
#include <QString>
#include <QXmlStreamReader>

#include <unzip.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

namespace {

// A part of the workbook larger than this (uncompressed) is refused: far above the sheet
// of any staff list, far below what a zip bomb would unpack to.
constexpr std::uint64_t kMaxPartBytes = std::uint64_t(128) << 20;
// Columns beyond Excel's last (XFD) are no cells of a sheet.
constexpr int kMaxColumns = 16384;
constexpr int kMaxRows = 1048576;

// ---- The zip container, read from memory through minizip's file functions ----

struct Memory {
  std::string_view bytes;
  std::uint64_t at = 0;
};

voidpf ZCALLBACK memOpen(voidpf opaque, const void*, int) { return opaque; }
uLong ZCALLBACK memRead(voidpf, voidpf stream, void* buf, uLong size) {
  auto* m = static_cast<Memory*>(stream);
  const std::uint64_t left = m->bytes.size() - std::min<std::uint64_t>(m->at, m->bytes.size());
  const uLong n = static_cast<uLong>(std::min<std::uint64_t>(size, left));
  if (n > 0) std::memcpy(buf, m->bytes.data() + m->at, n);
  m->at += n;
  return n;
}
uLong ZCALLBACK memWrite(voidpf, voidpf, const void*, uLong) { return 0; }
ZPOS64_T ZCALLBACK memTell(voidpf, voidpf stream) { return static_cast<Memory*>(stream)->at; }
long ZCALLBACK memSeek(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
  auto* m = static_cast<Memory*>(stream);
  std::uint64_t base = 0;
  switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET:
      base = 0;
      break;
    case ZLIB_FILEFUNC_SEEK_CUR:
      base = m->at;
      break;
    case ZLIB_FILEFUNC_SEEK_END:
      base = m->bytes.size();
      break;
    default:
      return -1;
  }
  if (offset > m->bytes.size() || base + offset > m->bytes.size()) return -1;
  m->at = base + offset;
  return 0;
}
int ZCALLBACK memClose(voidpf, voidpf) { return 0; }
int ZCALLBACK memError(voidpf, voidpf) { return 0; }

class Zip {
 public:
  explicit Zip(std::string_view bytes) : memory_{bytes, 0} {
    zlib_filefunc64_def f{};
    f.zopen64_file = memOpen;
    f.zread_file = memRead;
    f.zwrite_file = memWrite;
    f.ztell64_file = memTell;
    f.zseek64_file = memSeek;
    f.zclose_file = memClose;
    f.zerror_file = memError;
    f.opaque = &memory_;
    zip_ = unzOpen2_64("workbook", &f);
  }
  ~Zip() {
    if (zip_) unzClose(zip_);
  }
  Zip(const Zip&) = delete;
  Zip& operator=(const Zip&) = delete;

  bool ok() const { return zip_ != nullptr; }

  enum class Part { Read, Missing, Damaged };
  // The part's bytes, checked against its CRC.
  Part read(const char* name, QByteArray& out) {
    if (unzLocateFile(zip_, name, 2) != UNZ_OK) return Part::Missing;
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(zip_, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK ||
        info.uncompressed_size > kMaxPartBytes || unzOpenCurrentFile(zip_) != UNZ_OK)
      return Part::Damaged;
    out.clear();
    out.reserve(static_cast<qsizetype>(info.uncompressed_size));
    char buf[65536];
    int n = 0;
    while ((n = unzReadCurrentFile(zip_, buf, sizeof buf)) > 0) {
      if (std::uint64_t(out.size()) + std::uint64_t(n) > kMaxPartBytes) {
        unzCloseCurrentFile(zip_);
        return Part::Damaged;
      }
      out.append(buf, n);
    }
    const int closed = unzCloseCurrentFile(zip_);  // UNZ_CRCERROR when the bytes do not match
    return n == 0 && closed == UNZ_OK ? Part::Read : Part::Damaged;
  }

 private:
  Memory memory_;
  unzFile zip_ = nullptr;
};

class Reader {
 public:
  Reader(const Text& path, std::string_view bytes) : path_(path), zip_(bytes) {}

  Sheet read() {
    if (!zip_.ok())
      fail(QCoreApplication::translate(
               "StaffList",
               "\"%1\" is no Excel workbook (.xlsx): it is not a zip archive. A workbook of the older "
               "form (.xls) or one protected by a password must first be saved in Excel or WPS as "
               ".xlsx without a password"),
           {path_});
    const QString sheetPart = firstSheetPart();
    std::vector<Text> strings;
    QByteArray shared;
    if (zip_.read("xl/sharedStrings.xml", shared) == Zip::Part::Damaged) damaged("xl/sharedStrings.xml");
    if (!shared.isEmpty()) strings = sharedStrings(shared, "xl/sharedStrings.xml");
    QByteArray sheet;
    const QByteArray name = sheetPart.toUtf8();
    if (zip_.read(name.constData(), sheet) != Zip::Part::Read) damaged(name.constData());
    return rows(sheet, name.constData(), strings);
  }

 private:
  [[noreturn]] void fail(const QString& message, std::initializer_list<Text> args) {
    throw EImportError(platform::message(message, args));
  }
  [[noreturn]] void damaged(const char* part) {
    fail(QCoreApplication::translate(
             "StaffList", "Cannot read \"%1\" as an Excel workbook: its part %2 is missing or damaged"),
         {path_, Text(part)});
  }
  [[noreturn]] void badXml(const char* part, const QXmlStreamReader& xml) {
    fail(QCoreApplication::translate(
             "StaffList",
             "Cannot read \"%1\" as an Excel workbook: its part %2 is not well-formed XML (line %3)"),
         {path_, Text(part), Text(QByteArray::number(xml.lineNumber()).constData())});
  }

  // The first sheet of the workbook, as the workbook and its relations name it; the usual
  // name when the workbook does not say.
  QString firstSheetPart() {
    QByteArray workbook, rels;
    if (zip_.read("xl/workbook.xml", workbook) != Zip::Part::Read) damaged("xl/workbook.xml");
    QString id;
    {
      QXmlStreamReader xml(workbook);
      while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("sheet")) {
          for (const auto& a : xml.attributes())
            if (a.name() == QLatin1String("id")) id = a.value().toString();  // r:id
          break;
        }
      }
      if (xml.hasError()) badXml("xl/workbook.xml", xml);
    }
    const QString fallback = QStringLiteral("xl/worksheets/sheet1.xml");
    if (id.isEmpty() || zip_.read("xl/_rels/workbook.xml.rels", rels) != Zip::Part::Read) return fallback;
    QXmlStreamReader xml(rels);
    while (!xml.atEnd()) {
      xml.readNext();
      if (xml.isStartElement() && xml.name() == QLatin1String("Relationship") &&
          xml.attributes().value(QLatin1String("Id")) == id) {
        QString target = xml.attributes().value(QLatin1String("Target")).toString();
        if (target.startsWith(QLatin1Char('/'))) return target.mid(1);  // from the package's root
        return QStringLiteral("xl/") + target;                          // beside the workbook
      }
    }
    if (xml.hasError()) badXml("xl/_rels/workbook.xml.rels", xml);
    return fallback;
  }

  // The text of an <si> or <is>: its <t>, or the <t> of each run <r>; the phonetic
  // guides (<rPh>) are no part of the text.
  static QString stringItem(QXmlStreamReader& xml) {
    QString text;
    const QString end = xml.name().toString();
    int phonetic = 0;
    while (!xml.atEnd()) {
      xml.readNext();
      if (xml.isStartElement()) {
        if (xml.name() == QLatin1String("rPh"))
          ++phonetic;
        else if (xml.name() == QLatin1String("t") && phonetic == 0)
          text += xml.readElementText();
      } else if (xml.isEndElement()) {
        if (xml.name() == QLatin1String("rPh"))
          --phonetic;
        else if (xml.name() == end)
          break;
      }
    }
    return text;
  }

  std::vector<Text> sharedStrings(const QByteArray& bytes, const char* part) {
    std::vector<Text> out;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
      xml.readNext();
      if (xml.isStartElement() && xml.name() == QLatin1String("si"))
        out.push_back(platform::toAnsi(stringItem(xml)));
    }
    if (xml.hasError()) badXml(part, xml);
    return out;
  }

  // "B12" to column 1 and row 12 (both from 1 here); nothing when it is no reference.
  static bool cellReference(QStringView ref, int& column, int& row) {
    qsizetype i = 0;
    column = 0;
    while (i < ref.size() && ref[i].isLetter() && ref[i].unicode() < 0x80) {
      column = column * 26 + (ref[i].toUpper().unicode() - 'A' + 1);
      if (column > kMaxColumns) return false;
      ++i;
    }
    bool ok = false;
    row = ref.mid(i).toInt(&ok);
    return column > 0 && ok && row >= 1 && row <= kMaxRows;
  }

  // A number as the sheet stores it, whole numbers without a decimal part: 10023 for
  // "10023", "10023.0" or "1.0023E4".
  static Text numberText(const QString& v) {
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (ok && std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 1e15)
      return Text(QByteArray::number(static_cast<qint64>(d)).constData());
    return platform::toAnsi(v.trimmed());
  }

  Sheet rows(const QByteArray& bytes, const char* part, const std::vector<Text>& strings) {
    Sheet sheet;
    QXmlStreamReader xml(bytes);
    int rowIndex = -1;  // 0-based index of the current row
    int nextColumn = 0;
    while (!xml.atEnd()) {
      xml.readNext();
      if (!xml.isStartElement()) continue;
      if (xml.name() == QLatin1String("row")) {
        int r = rowIndex + 2;  // the next row, when the row does not say
        const auto given = xml.attributes().value(QLatin1String("r"));
        if (!given.isEmpty()) {
          bool ok = false;
          r = given.toInt(&ok);
          if (!ok || r < 1 || r > kMaxRows || r <= rowIndex + 1) badXml(part, xml);
        }
        rowIndex = r - 1;
        nextColumn = 0;
      } else if (xml.name() == QLatin1String("c") && rowIndex >= 0) {
        int column = nextColumn + 1, row = rowIndex + 1;
        const auto ref = xml.attributes().value(QLatin1String("r"));
        if (!ref.isEmpty() && (!cellReference(ref, column, row) || row != rowIndex + 1)) badXml(part, xml);
        if (column > kMaxColumns) badXml(part, xml);
        nextColumn = column;
        const QString type = xml.attributes().value(QLatin1String("t")).toString();
        std::optional<SheetCell> cell = this->cell(xml, type, strings, part);
        if (!cell || cell->text.empty()) continue;
        if (sheet.rows.size() <= size_t(rowIndex)) sheet.rows.resize(size_t(rowIndex) + 1);
        auto& cells = sheet.rows[size_t(rowIndex)];
        if (cells.size() < size_t(column)) cells.resize(size_t(column));
        cells[size_t(column - 1)] = std::move(*cell);
      }
    }
    if (xml.hasError()) badXml(part, xml);
    return sheet;
  }

  // The cell's value, read up to its end tag.
  std::optional<SheetCell> cell(QXmlStreamReader& xml, const QString& type, const std::vector<Text>& strings,
                                const char* part) {
    QString value;
    bool haveValue = false;
    std::optional<SheetCell> inlineText;
    while (!xml.atEnd()) {
      xml.readNext();
      if (xml.isStartElement()) {
        if (xml.name() == QLatin1String("v")) {
          value = xml.readElementText();
          haveValue = true;
        } else if (xml.name() == QLatin1String("is")) {
          inlineText = SheetCell{platform::toAnsi(stringItem(xml)), true};
        }
      } else if (xml.isEndElement() && xml.name() == QLatin1String("c")) {
        break;
      }
    }
    if (type == QLatin1String("inlineStr")) return inlineText;
    if (!haveValue) return std::nullopt;
    if (type == QLatin1String("s")) {
      bool ok = false;
      const qlonglong i = value.trimmed().toLongLong(&ok);
      if (!ok || i < 0 || size_t(i) >= strings.size()) badXml(part, xml);
      return SheetCell{strings[size_t(i)], true};
    }
    if (type == QLatin1String("str")) return SheetCell{platform::toAnsi(value), true};  // a formula's text
    if (type == QLatin1String("b"))
      return SheetCell{value.trimmed() == QLatin1String("1") ? "TRUE" : "FALSE", false};
    if (type == QLatin1String("e") || type == QLatin1String("d"))
      return SheetCell{platform::toAnsi(value), false};
    return SheetCell{numberText(value), false};
  }

  Text path_;
  Zip zip_;
};

}  // namespace

Sheet SheetFromXlsxBytes(const Text& ansiPath, std::string_view bytes) {
  Sheet sheet = Reader(ansiPath, bytes).read();
  DropTrailingBlankRows(sheet);  // a sheet may list empty, formatted rows
  return sheet;
}
