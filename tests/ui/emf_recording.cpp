// Reads an enhanced metafile's records back into strings, lines and rectangles.
#include "emf_recording.h"

#include <cstring>
#include <map>

namespace {

struct gdi_object {
  enum { pen, font } type;
  COLORREF color = 0;
  int height = 0;
  std::string face;
};

constexpr DWORD stock_flag = 0x80000000;

template <class T>
T record_at(const std::vector<unsigned char>& bits, size_t offset) {
  T value;
  std::memcpy(&value, bits.data() + offset, sizeof value);
  return value;
}

std::string narrow(const wchar_t* text, size_t count) {
  std::string result;
  for (size_t i = 0; i < count; i++) result.push_back(text[i] < 128 ? static_cast<char>(text[i]) : '?');
  return result;
}

}  // namespace

emf_recording::emf_recording() { dc_ = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr); }

emf_recording::~emf_recording() {
  if (dc_ != nullptr) DeleteEnhMetaFile(CloseEnhMetaFile(dc_));
}

void emf_recording::finish() {
  HENHMETAFILE metafile = CloseEnhMetaFile(dc_);
  dc_ = nullptr;
  UINT size = GetEnhMetaFileBits(metafile, 0, nullptr);
  std::vector<unsigned char> bits(size);
  GetEnhMetaFileBits(metafile, size, bits.data());
  DeleteEnhMetaFile(metafile);
  parse(bits);
}

void emf_recording::parse(const std::vector<unsigned char>& bits) {
  std::map<DWORD, gdi_object> objects;
  COLORREF pen = RGB(0, 0, 0);
  int brush = WHITE_BRUSH;
  int font_height = 0;
  std::string font_face;
  COLORREF text_color = RGB(0, 0, 0);
  POINT position{0, 0};

  for (size_t offset = 0; offset + sizeof(EMR) <= bits.size();) {
    auto header = record_at<EMR>(bits, offset);
    if (header.nSize < sizeof(EMR) || offset + header.nSize > bits.size()) break;
    const unsigned char* record = bits.data() + offset;
    switch (header.iType) {
      case EMR_CREATEPEN: {
        auto r = record_at<EMRCREATEPEN>(bits, offset);
        objects[r.ihPen] = {gdi_object::pen, r.lopn.lopnColor, 0, {}};
        break;
      }
      case EMR_EXTCREATEPEN: {
        auto r = record_at<EMREXTCREATEPEN>(bits, offset);
        objects[r.ihPen] = {gdi_object::pen, r.elp.elpColor, 0, {}};
        break;
      }
      case EMR_EXTCREATEFONTINDIRECTW: {
        auto r = record_at<EMREXTCREATEFONTINDIRECTW>(bits, offset);
        const LOGFONTW& font = r.elfw.elfLogFont;
        objects[r.ihFont] = {gdi_object::font, 0, static_cast<int>(font.lfHeight),
                             narrow(font.lfFaceName, wcsnlen(font.lfFaceName, LF_FACESIZE))};
        break;
      }
      case EMR_SELECTOBJECT: {
        selects++;
        DWORD handle = record_at<EMRSELECTOBJECT>(bits, offset).ihObject;
        if (handle & stock_flag) {
          int stock = static_cast<int>(handle & ~stock_flag);
          if (stock == BLACK_PEN) pen = RGB(0, 0, 0);
          if (stock == WHITE_PEN) pen = RGB(255, 255, 255);
          if (stock <= NULL_BRUSH) brush = stock;
        } else if (auto found = objects.find(handle); found != objects.end()) {
          if (found->second.type == gdi_object::pen) pen = found->second.color;
          if (found->second.type == gdi_object::font) {
            font_height = found->second.height;
            font_face = found->second.face;
          }
        }
        break;
      }
      case EMR_SETTEXTCOLOR:
        text_color = record_at<EMRSETTEXTCOLOR>(bits, offset).crColor;
        break;
      case EMR_MOVETOEX:
        position = {record_at<EMRMOVETOEX>(bits, offset).ptl.x, record_at<EMRMOVETOEX>(bits, offset).ptl.y};
        break;
      case EMR_LINETO: {
        auto r = record_at<EMRLINETO>(bits, offset);
        POINT to{r.ptl.x, r.ptl.y};
        lines.push_back({position, to, pen});
        position = to;
        break;
      }
      case EMR_RECTANGLE: {
        auto r = record_at<EMRRECTANGLE>(bits, offset);
        // The record holds the box inclusive-inclusive; give back Rectangle's arguments.
        rects.push_back({{r.rclBox.left, r.rclBox.top, r.rclBox.right + 1, r.rclBox.bottom + 1}, false, {0, 0}, pen, brush});
        break;
      }
      case EMR_ROUNDRECT: {
        auto r = record_at<EMRROUNDRECT>(bits, offset);
        rects.push_back({{r.rclBox.left, r.rclBox.top, r.rclBox.right + 1, r.rclBox.bottom + 1},
                         true,
                         {r.szlCorner.cx, r.szlCorner.cy},
                         pen,
                         brush});
        break;
      }
      case EMR_EXTTEXTOUTW:
      case EMR_EXTTEXTOUTA: {
        auto r = record_at<EMREXTTEXTOUTW>(bits, offset);
        const EMRTEXT& t = r.emrtext;
        std::string text;
        if (header.iType == EMR_EXTTEXTOUTW) {
          std::vector<wchar_t> chars(t.nChars);
          if (t.offString + t.nChars * sizeof(wchar_t) <= header.nSize)
            std::memcpy(chars.data(), record + t.offString, t.nChars * sizeof(wchar_t));
          text = narrow(chars.data(), chars.size());
        } else if (t.offString + t.nChars <= header.nSize) {
          text.assign(reinterpret_cast<const char*>(record + t.offString), t.nChars);
        }
        texts.push_back({text, t.ptlReference.x, t.ptlReference.y, font_height, font_face, text_color});
        break;
      }
      default:
        break;
    }
    offset += header.nSize;
  }
}

const drawn_text* emf_recording::find_text(const std::string& text) const {
  for (const auto& drawn : texts)
    if (drawn.text == text) return &drawn;
  return nullptr;
}

std::vector<std::string> emf_recording::strings() const {
  std::vector<std::string> result;
  for (const auto& drawn : texts) result.push_back(drawn.text);
  return result;
}
