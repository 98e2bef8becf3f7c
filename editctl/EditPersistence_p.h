#pragma once

namespace comctl {
class PropertyBag;
}

namespace inkora {

class Edit;

// Saving and loading the Edit control through a property bag: names, defaults and load
// order are fixed; loading writes straight into the fields (no setter checks). A value of the
// wrong type is taken as missing, so its default applies.
class EditPersistence
{
public:
    static void load(Edit &edit, const comctl::PropertyBag &bag);
    static void save(const Edit &edit, comctl::PropertyBag &bag);
};

} // namespace inkora
