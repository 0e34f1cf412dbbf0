#include "app/records/records_store.h"

#include <QDir>
#include <QStandardPaths>
#include <QVariant>
#include <QWidget>

#include "app/ui_services.h"
#include "app/window_services.h"

namespace hehun::ui {

using records::Archive;
using records::ArchiveError;

namespace {

constexpr char kStoreProperty[] = "hehunRecordsStore";

std::filesystem::path FilePath(const QString& path) { return std::filesystem::path(path.toStdU32String()); }

QString Shown(const QString& path) { return QDir::toNativeSeparators(path); }

}  // namespace

RecordsStore::RecordsStore(QObject* parent) : QObject(parent) {}
RecordsStore::~RecordsStore() = default;

void RecordsStore::SetPath(const QString& path) {
  archive_.reset();
  path_ = path;
  unavailable_.clear();
  declined_ = false;
}

QString RecordsStore::Path() const {
  if (!path_.isEmpty()) return path_;
  // The folder the command line finds too (records::DefaultArchivePath on
  // Linux); asked of Qt so that its test mode moves it out of the way.
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  return QDir(folder).filePath(QString::fromLatin1(records::kArchiveFileName));
}

Archive* RecordsStore::Open(QWidget* parent, bool tellDeclined) {
  if (archive_) return archive_.get();
  UiServices& services = ServicesOf(parent);
  if (declined_) {
    if (tellDeclined) services.ShowInfo(parent, unavailable_);
    return nullptr;
  }
  const QString path = Path();
  try {
    archive_ = std::make_unique<Archive>(FilePath(path));
    unavailable_.clear();
    return archive_.get();
  } catch (const ArchiveError& error) {
    if (error.kind() == ArchiveError::kDamaged) {
      if (!OfferMoveAside(parent, error)) return nullptr;
      return archive_.get();
    }
    unavailable_ = FromUtf8(error.what());
    services.ShowError(parent, unavailable_);
  } catch (const std::exception& error) {
    unavailable_ = FromUtf8(error.what());
    services.ShowError(parent, unavailable_);
  }
  return nullptr;
}

bool RecordsStore::OfferMoveAside(QWidget* parent, const ArchiveError& error) {
  UiServices& services = ServicesOf(parent);
  const QString path = Path();
  const QString question =
      QStringLiteral("档案文件“%1”已损坏，无法使用：\n%2\n\n是否把这个文件改名另存（原文件保留，不会删除），"
                     "并新建一个空白档案？\n选“否”则不改动这个文件，本次运行不使用档案。")
          .arg(Shown(path), FromUtf8(error.what()));
  if (!services.Ask(parent, question)) {
    declined_ = true;
    unavailable_ = QStringLiteral("档案文件“%1”已损坏，按您的选择未作任何改动，本次运行不使用档案。").arg(Shown(path));
    return false;
  }
  try {
    const std::filesystem::path aside = records::MoveArchiveAside(FilePath(path));
    archive_ = std::make_unique<Archive>(FilePath(path));
    unavailable_.clear();
    services.ShowInfo(parent, QStringLiteral("损坏的档案已改名保存为“%1”，现已新建空白档案。")
                                  .arg(Shown(QString::fromStdU32String(aside.u32string()))));
    return true;
  } catch (const std::exception& moveError) {
    unavailable_ = FromUtf8(moveError.what());
    services.ShowError(parent, unavailable_);
    return false;
  }
}

bool RecordsStore::Read(QWidget* parent, const std::function<void(Archive&)>& read) {
  Archive* archive = Open(parent, false);
  if (archive == nullptr) return false;
  try {
    read(*archive);
    return true;
  } catch (const std::exception& error) {
    ServicesOf(parent).ShowError(parent, FromUtf8(error.what()));
    return false;
  }
}

bool RecordsStore::Change(QWidget* parent, const std::function<void(Archive&)>& change) {
  const bool done = Read(parent, change);
  if (done) emit Changed();
  return done;
}

RecordsStore* RecordsStoreOf(QWidget* widget) {
  for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    const QVariant v = w->property(kStoreProperty);
    if (v.isValid() && v.value<void*>() != nullptr) return static_cast<RecordsStore*>(v.value<void*>());
  }
  return nullptr;
}

void SetRecordsStore(QWidget* window, RecordsStore* store) {
  window->setProperty(kStoreProperty, QVariant::fromValue(static_cast<void*>(store)));
}

}  // namespace hehun::ui
