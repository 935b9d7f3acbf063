// A place of the atlas as the form's boxes hold it.
#pragma once

#include <string>

#include "atlas/place.h"
#include "atlas/zone_choice.h"
#include "chart/birth_form.h"

namespace tavrinel::atlas {

// Whole degrees and minutes, rounded to the nearest minute (the form holds
// whole minutes), with the direction.
struct BoxAngle {
    int Degrees = 0;
    int Minutes = 0;
    bool Positive = true;  // North or East
};

[[nodiscard]] BoxAngle ToBoxAngle(double degrees);

// The place's coordinates as the boxes hold them: "18:31N 73:51E".
[[nodiscard]] std::string CoordinatesText(const Place& place);

// Fills city, state, country, both degree and minute boxes and both
// directions. A name the boxes cannot hold leaves that box as it is.
void FillPlace(const Place& place, BirthForm& form);

// The form's longitude as the documented time rule reads it.
[[nodiscard]] FormLongitude LongitudeOf(const Place& place);

// The form's date and time as a local clock reading.
[[nodiscard]] LocalDateTime LocalTimeOf(const BirthForm& form);

}  // namespace tavrinel::atlas
