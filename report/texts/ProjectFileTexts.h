#pragma once

#include "FileContentTexts.h"

// The window's wording of why a project file is refused, by the ids of io/ProjectPhrases.h; %1
// is the field's path, shown in the quotes of FileContentTexts.h.
namespace trellon::texts {

inline constexpr PhraseText kProjectPhrases[] = {
    // --- the file as a whole ---
    {"project-not-json", "это не JSON"},
    {"project-double-range", "в нём число за пределами чисел двойной точности"},
    {"project-not-project", "это не проект Trellon"},
    {"project-too-deep", "вложенность глубже %1 уровней"},
    {"project-unknown-too-large", "неизвестные поля занимают больше %1 байт"},
    {"project-version-form", "поле %1 должно иметь вид «старшая.младшая», например «1.0»"},
    {"project-version-newer", "поле %1 равно %2, а программа читает версии до %3.x"},
    // --- a field's kind ---
    {"field-missing", "нет поля %1"},
    {"field-text", "поле %1 должно быть текстом"},
    {"field-number", "поле %1 должно быть числом"},
    {"field-object", "поле %1 должно быть объектом"},
    {"field-array", "поле %1 должно быть массивом"},
    {"field-one-of", "поле %1 должно быть одним из: %2"},
    {"field-pair", "поле %1 должно быть парой чисел [re, im]"},
    // --- a field's value ---
    {"field-not-negative", "поле %1 должно быть не меньше 0"},
    {"field-positive", "поле %1 должно быть больше 0"},
    {"field-whole", "поле %1 должно быть целым числом от %2 до %3"},
    {"field-whole-from", "поле %1 должно быть целым числом от %2"},
    {"field-at-least", "поле %1 должно быть не меньше %2"},
    {"field-above", "поле %1 должно быть больше %2"},
    {"field-from-to", "поле %1 должно быть от %2 до %3"},
    {"field-from-below", "поле %1 должно быть от %2 и меньше %3"},
    {"field-above-at-most", "поле %1 должно быть больше %2 и не больше %3"},
    {"field-above-below", "поле %1 должно быть больше %2 и меньше %3"},
    {"field-product", "поле %1, умноженное на %2, не должно превышать %3"},
    {"field-per-frequency", "поле %1 должно содержать по значению на каждую частоту"},
    {"field-frequencies", "поле %1 должно содержать возрастающие частоты от 0"},
    {"field-e-series", "поле %1 должно быть 0, 6, 12, 24, 48 или 96"},
    // --- the batch and the placement ---
    {"field-crystal", "кварц %1"},
    {"field-name-repeats", "поле %1 повторяет имя %2"},
    {"field-not-in-batch", "поле %1 называет %2, которого нет в партии"},
    {"field-placed-twice", "поле %1 ставит %2 второй раз"},
    // --- the tuning ---
    {"field-part-name", "в поле %1 имя каждой детали должно быть длиной от 1 до %2 символов"},
};

}  // namespace trellon::texts
