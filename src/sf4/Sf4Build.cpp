#include "sf4/Sf4Object.h"

namespace sf6 {

void TSf4Object::build() {}

} // namespace sf6
