// SPDX-License-Identifier: GPL-3.0-or-later
#include "Descriptions.h"

#include <array>

namespace dovrel::sample {
namespace {

constexpr std::size_t kLanguages = 8;
using Phrases = std::array<const char*, kLanguages>;

// English, French, Italian, German, Spanish, Dutch, Polish, Russian.
const Phrases& nounOf(Role role) {
    static const std::array<Phrases, 8> kNouns{{
        {"diesel locomotive", "locomotive diesel", "locomotiva diesel", "Diesellokomotive",
         "locomotora diésel", "diesellocomotief", "lokomotywa spalinowa", "тепловоз"},
        {"electric locomotive", "locomotive électrique", "locomotiva elettrica", "Elektrolokomotive",
         "locomotora eléctrica", "elektrische locomotief", "lokomotywa elektryczna", "электровоз"},
        {"steam locomotive", "locomotive à vapeur", "locomotiva a vapore", "Dampflokomotive",
         "locomotora de vapor", "stoomlocomotief", "parowóz", "паровоз"},
        {"multiple unit car", "automotrice", "automotrice", "Triebwagen", "automotor", "treinstel",
         "zespół trakcyjny", "моторный вагон"},
        {"tender", "tender", "tender", "Schlepptender", "ténder", "tender", "tender", "тендер"},
        {"passenger coach", "voiture voyageurs", "carrozza passeggeri", "Reisezugwagen", "coche de viajeros",
         "rijtuig", "wagon pasażerski", "пассажирский вагон"},
        {"freight wagon", "wagon de marchandises", "carro merci", "Güterwagen", "vagón de mercancías",
         "goederenwagen", "wagon towarowy", "грузовой вагон"},
        {"departmental vehicle", "engin de service", "mezzo di servizio", "Dienstfahrzeug",
         "vehículo de servicio", "dienstvoertuig", "pojazd służbowy", "служебная единица"},
    }};
    return kNouns[static_cast<std::size_t>(role)];
}

// Each language's sentences around the name (%N) and the noun (%K).
const Phrases kSentences{
    "The %N is a %K for the sample installation. It comes with working lights, several liveries, weathering "
    "and "
    "a complete sound set. Couple it to stock with a matching coupling and check the load before departure.",
    "%N : %K de l'installation d'exemple. Le modèle comprend des feux fonctionnels, plusieurs livrées, une "
    "patine et un ensemble sonore complet. À atteler uniquement à du matériel compatible.",
    "%N: %K dell'installazione di esempio. Il modello include luci funzionanti, diverse livree, "
    "invecchiamento e un "
    "set sonoro completo. Da agganciare solo a rotabili compatibili.",
    "%N: %K der Beispielinstallation. Mit funktionierender Beleuchtung, mehreren Lackierungen, "
    "Alterungsspuren und vollständigem Soundpaket. Nur mit passender Kupplung kuppeln.",
    "%N: %K de la instalación de ejemplo. El modelo incluye luces funcionales, varias libreas, desgaste y un "
    "conjunto de sonidos completo. Acoplar solo a material compatible.",
    "%N: %K van de voorbeeldinstallatie. Met werkende verlichting, meerdere kleurstellingen, "
    "verwering en een volledige geluidsset. Koppel alleen aan materieel met passende koppeling.",
    "%N to %K z przykładowej instalacji. Zawiera działające oświetlenie, kilka malowań, patynę i pełny "
    "zestaw "
    "dźwięków. Sprzęgać tylko z taborem o zgodnym sprzęgu.",
    "%N — %K из примерной установки. Работающее освещение, несколько окрасок, следы эксплуатации и полный "
    "набор звуков. Сцеплять только с совместимым подвижным составом.",
};

std::string fill(const char* pattern, const std::string& name, const char* noun) {
    std::string text;
    for (const char* p = pattern; *p != '\0'; ++p) {
        if (p[0] == '%' && p[1] == 'N') {
            text += name;
            ++p;
        } else if (p[0] == '%' && p[1] == 'K') {
            text += noun;
            ++p;
        } else {
            text += *p;
        }
    }
    return text;
}

} // namespace

Role roleOf(const Vehicle& vehicle) {
    switch (vehicle.kind) {
    case VehicleKind::Tender:
        return Role::Tender;
    case VehicleKind::Wagon:
        return vehicle.doorways > 0 ? Role::Coach : Role::FreightWagon;
    case VehicleKind::Engine:
        break;
    }
    if (vehicle.doorways > 0) {
        return Role::Railcar;
    }
    switch (vehicle.engine) {
    case EngineType::Diesel:
        return Role::DieselLoco;
    case EngineType::Electric:
        return Role::ElectricLoco;
    case EngineType::Steam:
        return Role::SteamLoco;
    case EngineType::None:
        break;
    }
    return Role::Departmental;
}

Localised describe(Role role, const std::string& displayName) {
    const Phrases& noun = nounOf(role);
    return Localised{fill(kSentences[0], displayName, noun[0]), fill(kSentences[1], displayName, noun[1]),
                     fill(kSentences[2], displayName, noun[2]), fill(kSentences[3], displayName, noun[3]),
                     fill(kSentences[4], displayName, noun[4]), fill(kSentences[5], displayName, noun[5]),
                     fill(kSentences[6], displayName, noun[6]), fill(kSentences[7], displayName, noun[7])};
}

Localised describeAccessory(const std::string& displayName) {
    Localised text = everywhere(displayName);
    text.english = displayName + " for the sample installation's rolling stock.";
    text.german = displayName + " für die Fahrzeuge der Beispielinstallation.";
    return text;
}

} // namespace dovrel::sample
