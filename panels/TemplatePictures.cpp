#include "panels/TemplatePictures.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr int WaitOnCloseMs = 2000;

// Written under a name of its own and renamed when whole, so a picture in the cache is whole;
// the export tells the format by the last extension.
QString PartFile(const QString& picture) {
  return picture + QStringLiteral(".part.") + QFileInfo(picture).suffix();
}

} // namespace

TTemplatePictures::TTemplatePictures(const QString& program, const QString& cacheFolder, QObject* parent)
    : QObject(parent), FProgram(program), FCacheFolder(cacheFolder) {}

TTemplatePictures::~TTemplatePictures() {
  if (!FProcess)
    return;
  // A picture half made is not kept: the next guide makes it again. Asked politely first,
  // greetix-cli removes what it had begun.
  FProcess->disconnect(this);
  FProcess->terminate();
  if (!FProcess->waitForFinished(WaitOnCloseMs)) {
    FProcess->kill();
    FProcess->waitForFinished(WaitOnCloseMs);
  }
  QFile::remove(PartFile(FRunning.Picture));
}

QString TTemplatePictures::Poster(const QString& card, int width) { return Request(card, width, false); }

QString TTemplatePictures::Animation(const QString& card, int width) { return Request(card, width, true); }

QString TTemplatePictures::PictureFile(const QString& card, int width, bool animated) const {
  const QFileInfo file(card);
  const QByteArray key = (file.absoluteFilePath() + QString::number(file.size()) +
                          QString::number(file.lastModified().toMSecsSinceEpoch()) + QString::number(width))
                             .toUtf8();
  const QString name = QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(24));
  return QDir(FCacheFolder).filePath(name + (animated ? QStringLiteral(".gif") : QStringLiteral(".png")));
}

QString TTemplatePictures::Request(const QString& card, int width, bool animated) {
  const QString picture = PictureFile(card, width, animated);
  if (QFileInfo::exists(picture))
    return picture;
  if (FFailed.contains(picture) || !QFileInfo(FProgram).isExecutable())
    return {};
  if (FProcess && FRunning.Picture == picture)
    return {};
  for (qsizetype i = 0; i < FQueue.size(); ++i)
    if (FQueue[i].Picture == picture) {
      FQueue.removeAt(i);
      break;
    }
  const TJob job{card, picture, width, animated};
  // The animation is what the user looks at now; posters can wait.
  if (animated)
    FQueue.prepend(job);
  else
    FQueue.append(job);
  StartNext();
  return {};
}

void TTemplatePictures::StartNext() {
  if (FProcess || FQueue.isEmpty())
    return;
  if (!QDir().mkpath(FCacheFolder)) {
    FQueue.clear();
    return;
  }
  FRunning = FQueue.takeFirst();
  const QString part = PartFile(FRunning.Picture);
  auto* process = new QProcess(this);
  FProcess = process;
  process->setStandardOutputFile(QProcess::nullDevice());
  process->setStandardErrorFile(QProcess::nullDevice());
  connect(process, &QProcess::finished, this, &TTemplatePictures::Finished);
  process->start(FProgram, {QStringLiteral("export"), FRunning.Card, QStringLiteral("-o"), part, QStringLiteral("--width"),
                            QString::number(FRunning.Width), QStringLiteral("--confine")});
}

void TTemplatePictures::Finished(int exitCode, QProcess::ExitStatus status) {
  FProcess->deleteLater();
  FProcess = nullptr;
  const TJob job = FRunning;
  const QString part = PartFile(job.Picture);
  const bool made = status == QProcess::NormalExit && exitCode == 0 && QFile::rename(part, job.Picture);
  if (made) {
    if (job.Animated)
      emit AnimationReady(job.Card, job.Picture);
    else
      emit PosterReady(job.Card, job.Picture);
  } else {
    QFile::remove(part);
    FFailed << job.Picture;
  }
  StartNext();
}
