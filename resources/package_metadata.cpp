// Writes what a Linux desktop shows about the program, from the same tables
// the program is built from: the desktop entry, the AppStream metadata and
// the icon images as PNG files.
//
//   corvane-package-metadata OUTPUT_DIR

#include <QDir>
#include <QImage>
#include <cstdio>
#include <fstream>
#include <string>

#include "resources/keypad_icon.h"
#include "resources/version_info.h"

namespace {

constexpr char kProgram[] = "corvane";

std::string DottedVersion(const std::array<WORD, 4>& version) {
  return std::to_string(version[0]) + "." + std::to_string(version[1]) + "." + std::to_string(version[2]) + "." +
         std::to_string(version[3]);
}

std::string XmlEscaped(std::string_view text) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

std::string Flags(const VersionInfo& info) {
  std::string flags;
  if (info.preRelease) flags += "pre-release;";
  if (info.specialBuild) flags += "special build;";
  return flags;
}

// Every field of the version information goes in verbatim as an X- key.
void WriteDesktopEntry(const VersionInfo& info, std::ostream& out) {
  out << "[Desktop Entry]\n"
      << "Type=Application\n"
      << "Name=" << VersionField(info, "InternalName") << "\n"
      << "GenericName=" << VersionField(info, "ProductName") << "\n"
      << "Comment=" << VersionField(info, "FileDescription") << "\n"
      << "Exec=" << kProgram << "\n"
      << "Icon=" << kProgram << "\n"
      << "Terminal=false\n"
      << "Categories=Utility;\n"
      << "StartupWMClass=" << kProgram << "\n"
      << "X-Corvane-FileVersionNumber=" << DottedVersion(info.fileVersion) << "\n"
      << "X-Corvane-ProductVersionNumber=" << DottedVersion(info.productVersion) << "\n"
      << "X-Corvane-Flags=" << Flags(info) << "\n"
      << "X-Corvane-OperatingSystem=" << info.operatingSystem << "\n"
      << "X-Corvane-FileType=" << info.fileType << "\n"
      << "X-Corvane-LanguageBlock=" << info.languageBlock << "\n";
  for (const VersionString& field : info.strings) out << "X-Corvane-" << field.name << "=" << field.value << "\n";
}

void WriteMetainfo(const VersionInfo& info, std::ostream& out) {
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<component type=\"desktop-application\">\n"
      << "  <id>" << kProgram << "</id>\n"
      << "  <metadata_license>CC0-1.0</metadata_license>\n"
      << "  <name>" << XmlEscaped(VersionField(info, "InternalName")) << "</name>\n"
      << "  <summary>" << XmlEscaped(VersionField(info, "FileDescription")) << "</summary>\n"
      << "  <developer_name>" << XmlEscaped(VersionField(info, "CompanyName")) << "</developer_name>\n"
      << "  <description>\n    <p>" << XmlEscaped(VersionField(info, "Comments")) << "</p>\n  </description>\n"
      << "  <launchable type=\"desktop-id\">" << kProgram << ".desktop</launchable>\n"
      // No <releases>: AppStream wants a release date, which the version information has not.
      << "  <custom>\n"
      << "    <value key=\"FileVersionNumber\">" << DottedVersion(info.fileVersion) << "</value>\n"
      << "    <value key=\"ProductVersionNumber\">" << DottedVersion(info.productVersion) << "</value>\n"
      << "    <value key=\"Flags\">" << Flags(info) << "</value>\n"
      << "    <value key=\"OperatingSystem\">" << XmlEscaped(info.operatingSystem) << "</value>\n"
      << "    <value key=\"FileType\">" << XmlEscaped(info.fileType) << "</value>\n"
      << "    <value key=\"LanguageBlock\">" << info.languageBlock << "</value>\n";
  for (const VersionString& field : info.strings) {
    out << "    <value key=\"" << field.name << "\">" << XmlEscaped(field.value) << "</value>\n";
  }
  out << "  </custom>\n</component>\n";
}

bool WriteIcons(const QDir& output) {
  for (XpmImage xpm : KeypadIconImages()) {
    const QImage image(xpm);
    const QString size = QString("%1x%2").arg(image.width()).arg(image.height());
    const QString folder = QString("icons/hicolor/%1/apps").arg(size);
    if (!output.mkpath(folder) || !image.save(output.filePath(folder + "/" + kProgram + ".png"))) return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
    return 2;
  }
  const QDir output(QString::fromLocal8Bit(argv[1]));
  const VersionInfo& info = ProgramVersionInfo();
  std::ofstream desktop(output.filePath(QString(kProgram) + ".desktop").toStdString());
  WriteDesktopEntry(info, desktop);
  std::ofstream metainfo(output.filePath(QString(kProgram) + ".metainfo.xml").toStdString());
  WriteMetainfo(info, metainfo);
  if (!desktop || !metainfo || !WriteIcons(output)) {
    std::fprintf(stderr, "%s: cannot write to %s\n", argv[0], argv[1]);
    return 1;
  }
  return 0;
}
