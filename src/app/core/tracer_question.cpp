#include "app/core/tracer_question.h"

#include "base/core/number_text.h"

namespace lumora {

std::optional<TracerModel> tracerModelFromAnswer(std::string_view answer) {
  const double number = value(answer);
  if (number == 1) return TracerModel::Orvid;
  if (number == 2) return TracerModel::Pavane;
  if (number == 3) return TracerModel::Tarsel;
  if (number == 4) return TracerModel::TarselOld;
  return std::nullopt;
}

std::string_view tracerInstructionsTitle(TracerModel model) {
  switch (model) {
    case TracerModel::Orvid: return "Orvid Instructions";
    case TracerModel::Pavane: return "Pavane Instructions";
    case TracerModel::Tarsel: return "Tarsel Instructions";
    case TracerModel::TarselOld: return "Tarsel Instructions (Old Firmware)";
  }
  return {};
}

}  // namespace lumora
