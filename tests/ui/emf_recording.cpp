// Reads an enhanced metafile's records back into drawn items.
#include "emf_recording.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <map>

namespace {

template <class T>
T record_at(const std::vector<unsigned char>& bits, size_t offset) {
  T value;
  std::memcpy(&value, bits.data() + offset, sizeof value);
  return value;
}

// EMR boxes are inclusive; Rectangle's arguments exclude the right and bottom edges.
std::string box_of(const RECTL& box) {
  return text_of("%ld,%ld %ld,%ld", box.left, box.top, box.right + 1, box.bottom + 1);
}

}  // namespace

std::string text_of(const char* format, ...) {
  char buffer[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return buffer;
}

std::vector<std::string> texts_of(const std::vector<drawn_item>& items) {
  std::vector<std::string> texts;
  for (const auto& item : items)
    if (item.shape.rfind("text ", 0) == 0) texts.push_back(item.shape.substr(5, item.shape.rfind(' ') - 5));
  return texts;
}

std::vector<drawn_item> record_drawing(const std::function<void(HDC)>& draw) {
  HDC hdc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  draw(hdc);
  HENHMETAFILE metafile = CloseEnhMetaFile(hdc);
  std::vector<unsigned char> bits(GetEnhMetaFileBits(metafile, 0, nullptr));
  GetEnhMetaFileBits(metafile, static_cast<UINT>(bits.size()), bits.data());
  DeleteEnhMetaFile(metafile);

  std::vector<drawn_item> found;
  std::map<DWORD, COLORREF> pens;
  drawn_item state{"", RGB(0, 0, 0)};
  POINTL position{0, 0};
  for (size_t offset = 0; offset + sizeof(EMR) <= bits.size();) {
    auto header = record_at<EMR>(bits, offset);
    if (header.nSize < sizeof(EMR) || offset + header.nSize > bits.size()) break;
    drawn_item item = state;
    switch (header.iType) {
      case EMR_CREATEPEN: {
        auto r = record_at<EMRCREATEPEN>(bits, offset);
        pens[r.ihPen] = r.lopn.lopnColor;
        break;
      }
      case EMR_SELECTOBJECT: {
        DWORD handle = record_at<EMRSELECTOBJECT>(bits, offset).ihObject;
        if (handle == (ENHMETA_STOCK_OBJECT | BLACK_PEN)) state.pen = RGB(0, 0, 0);
        if (pens.count(handle) != 0) state.pen = pens[handle];
        break;
      }
      case EMR_MOVETOEX: position = record_at<EMRMOVETOEX>(bits, offset).ptl; break;
      case EMR_LINETO: {
        POINTL to = record_at<EMRLINETO>(bits, offset).ptl;
        item.shape = text_of("line %ld,%ld %ld,%ld", position.x, position.y, to.x, to.y);
        position = to;
        break;
      }
      case EMR_RECTANGLE: item.shape = "rect " + box_of(record_at<EMRRECTANGLE>(bits, offset).rclBox); break;
      case EMR_ROUNDRECT: {
        auto r = record_at<EMRROUNDRECT>(bits, offset);
        item.shape = "round " + box_of(r.rclBox) + text_of(" %ldx%ld", r.szlCorner.cx, r.szlCorner.cy);
        break;
      }
      case EMR_EXTTEXTOUTA:
      case EMR_EXTTEXTOUTW: {
        const auto record = record_at<EMREXTTEXTOUTW>(bits, offset);
        const EMRTEXT t = record.emrtext;
        item.box = {record.rclBounds.left, record.rclBounds.top, record.rclBounds.right + 1,
                    record.rclBounds.bottom + 1};
        size_t width = header.iType == EMR_EXTTEXTOUTW ? 2 : 1;  // ASCII texts: the low bytes
        std::string text;
        for (size_t i = 0; i < t.nChars && t.offString + (i + 1) * width <= header.nSize; i++)
          text.push_back(static_cast<char>(bits[offset + t.offString + i * width]));
        item.shape = text_of("text %s %ld,%ld", text.c_str(), t.ptlReference.x, t.ptlReference.y);
        break;
      }
    }
    if (!item.shape.empty()) found.push_back(item);
    offset += header.nSize;
  }
  return found;
}
