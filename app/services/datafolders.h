#pragma once
// The data folders below the program's folder: documents, where the open and save dialogs
// start, the seal library, the user's own emblem pictures and exported pictures. The build
// lays them out beside the program; the program itself never creates them.

namespace app {

inline constexpr const char* kDocumentFolder = "我的印章";
inline constexpr const char* kLibraryFolderName = "我的印章库";
inline constexpr const char* kEmblemFolder = "我的徽标库";
inline constexpr const char* kExportFolder = "我的导出图象";

}  // namespace app
