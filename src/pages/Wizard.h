#pragma once

#include <memory>

namespace velt {

class Storyboard;

// Registers every controller and segue class the wizard's wiring table names. Idempotent.
void registerWizardClasses();

// The wizard's wiring table and page layouts, built into the program (resources/ui).
std::shared_ptr<Storyboard> wizardStoryboard();

} // namespace velt
