#include "app/RecentCards.h"

#include <QFileInfo>

#include "platform/PlatformError.h"
#include "platform/Registry.h"

namespace RecentCards {

namespace {

QString ValueName(int index) { return QStringLiteral("Card%1").arg(index + 1); }

} // namespace

QStringList List() {
  QStringList cards;
  Platform::TRegistry registry;
  if (!registry.OpenKey(QString::fromLatin1(Key), false))
    return cards;
  for (int i = 0; i < MaxCount; ++i) {
    const QString card = registry.ReadString(ValueName(i));
    if (!card.isEmpty() && !cards.contains(card))
      cards << card;
  }
  return cards;
}

void Note(const QString& cardFile) {
  const QString card = QFileInfo(cardFile).absoluteFilePath();
  QStringList cards = List();
  cards.removeAll(card);
  cards.prepend(card);
  try {
    Platform::TRegistry registry;
    registry.OpenKey(QString::fromLatin1(Key), true);
    for (int i = 0; i < MaxCount; ++i) {
      if (i < cards.size())
        registry.WriteString(ValueName(i), cards[i]);
      else
        registry.DeleteValue(ValueName(i));
    }
  } catch (const Platform::TPlatformError&) {
    // The list is a convenience: the card opened or saved all the same.
  }
}

} // namespace RecentCards
