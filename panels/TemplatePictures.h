// Pictures of the templates for the guide, made by greetix-cli beside the program in the
// background: a still poster of each card and a short animation of the selected one. They
// are kept in the user's cache folder, named after the card's path, size and time, so a
// changed template gets new ones. A card that cannot be drawn just gets no picture.
#pragma once

#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QString>
#include <QStringList>

class TTemplatePictures : public QObject {
  Q_OBJECT
public:
  // `program` is greetix-cli; `cacheFolder` where the pictures are kept.
  TTemplatePictures(const QString& program, const QString& cacheFolder, QObject* parent = nullptr);
  ~TTemplatePictures() override;

  // The poster of the card (the stage where everything has arrived), `width` pixels wide:
  // the file at once when it is made, else empty and PosterReady follows.
  QString Poster(const QString& card, int width);
  // The same for the card's animation (a GIF); it goes before the posters still to make.
  QString Animation(const QString& card, int width);

signals:
  void PosterReady(const QString& card, const QString& picture);
  void AnimationReady(const QString& card, const QString& picture);

private:
  struct TJob {
    QString Card;
    QString Picture;
    int Width;
    bool Animated;
  };
  QString Request(const QString& card, int width, bool animated);
  QString PictureFile(const QString& card, int width, bool animated) const;
  void StartNext();
  void Finished(int exitCode, QProcess::ExitStatus status);

  QString FProgram;
  QString FCacheFolder;
  QList<TJob> FQueue;
  QStringList FFailed; // pictures that could not be made: not asked again in this run
  QPointer<QProcess> FProcess;
  TJob FRunning;
};
