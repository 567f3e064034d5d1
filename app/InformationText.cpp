#include "InformationText.h"

#include <QStringList>

namespace trellon {

namespace {

constexpr const char* kContact = "trellon@example.org";

}  // namespace

QString informationText() {
    const QString contact = QString::fromUtf8(kContact);
    return QStringList{
        QStringLiteral("Программа расчета кварцевых фильтров V-6.3.0.0."),
        QStringLiteral("идея, дизайн, продвижение: В. Острель"),
        QStringLiteral("программирование: группа Trellon"),
        QStringLiteral("тестирование: радиолюбители-конструкторы"),
        QStringLiteral("Высказывания, пожелания и советы "),
        QStringLiteral("можно отправить по адресу: ") + contact,
        QString(),
        QStringLiteral("\"Trellon\" V-6.3.0.0."),
        QStringLiteral("Authors: idea, design and promotion - V. Ostrel; programming - the "
                       "Trellon group; testing - radio amateur builders."),
        QStringLiteral("Please e-mail your problems/suggestions to ") + contact,
    }
        .join('\n');
}

}  // namespace trellon
