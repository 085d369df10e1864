// The release every program of the project reports, set once in the top
// CMakeLists.txt (project(... VERSION ...)).
#ifndef VEXOCNVT_STORE_VERSION_H_
#define VEXOCNVT_STORE_VERSION_H_

#ifndef VEXOCNVT_VERSION
#error "VEXOCNVT_VERSION comes from the build (CMake's project version)"
#endif

namespace vexo {

inline constexpr char kReleaseVersion[] = VEXOCNVT_VERSION;

}  // namespace vexo

#endif  // VEXOCNVT_STORE_VERSION_H_
