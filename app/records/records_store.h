// The window's hold on the records archive: one connection kept open for the
// session, opened on first use from the file under the application's data
// folder (or another one set by SetPath, as the tests do). A damaged file is
// never replaced silently: the user is asked, and only when they agree is it
// moved aside under a dated name and a fresh archive started; otherwise the
// file stays untouched and the window goes on without the archive.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "records/archive.h"

class QWidget;

namespace hehun::ui {

class RecordsStore : public QObject {
  Q_OBJECT
 public:
  explicit RecordsStore(QObject* parent = nullptr);
  ~RecordsStore() override;

  // The archive file; empty text goes back to the one of the data folder.
  // Closes the open archive and forgets an earlier refusal.
  void SetPath(const QString& path);
  QString Path() const;

  // The open archive, opened now when needed. Returns nullptr when it cannot
  // be used; the user has then been told why (over `parent`), except that
  // the refusal of a damaged file is told only when `tellDeclined`.
  records::Archive* Open(QWidget* parent, bool tellDeclined = true);
  // Why the archive is not in use ("" while it is, or before the first try).
  QString UnavailableReason() const { return unavailable_; }

  // Runs `change` on the open archive and tells the lists it changed; an
  // ArchiveError is shown over `parent`. False when nothing was done.
  bool Change(QWidget* parent, const std::function<void(records::Archive&)>& change);
  // The same without the change signal (reading); quiet when the user kept
  // a damaged file (the lists show why at their top).
  bool Read(QWidget* parent, const std::function<void(records::Archive&)>& read);

 signals:
  // People or couples were added, changed or deleted.
  void Changed();

 private:
  bool OfferMoveAside(QWidget* parent, const records::ArchiveError& error);

  QString path_;
  std::unique_ptr<records::Archive> archive_;
  QString unavailable_;
  bool declined_ = false;  // the user kept a damaged file: no archive this session
};

// The store of the window that owns `widget` (set with SetRecordsStore);
// nullptr when none has one.
RecordsStore* RecordsStoreOf(QWidget* widget);
void SetRecordsStore(QWidget* window, RecordsStore* store);

}  // namespace hehun::ui
