// luckydraw_assets needs one translation unit of its own to be an archive. The pictures
// are compiled in by rcc (see CMakeLists.txt); their objects go straight into whatever
// links this library and register under ":/luckydraw/" when the program starts.
namespace luckydraw_assets_detail {
extern const int anchor;
const int anchor = 0;
}  // namespace luckydraw_assets_detail
