// Storing a received trace under its job number, and again under a name the operator chose.
#include <utility>

#include "link/core/link_engine.h"
#include "link/core/link_outputs_make.h"
#include "link/core/link_texts.h"
#include "link/core/upload_rules.h"
#include "trace/core/trace_name.h"

namespace lumora {

void LinkEngine::storeTrace(std::string folder, std::string name, State waiting, Outputs& out) {
  storedName_ = std::move(name);
  out.push_back(Output{OutputKind::StoreTrace, traceFileBytes(rawData_), storedName_, std::move(folder), 0});
  state_ = waiting;
}

Outputs LinkEngine::storeFinished(const std::optional<Problem>& problem, const Instant& now) {
  Outputs out;
  if (state_ == State::StoringTrace) {
    if (!problem) {
      traceStored(now, out);
      return out;
    }
    reportNotStored(problem->text, out);
    endUnstored(UploadOutcome::StoreFailed, 2, out);
    becomeIdle(now);
  } else if (state_ == State::StoringUnderNewName) {
    if (problem) {
      reportNotStored(problem->text, out);
      endUpload(UploadOutcome::Stored, 0, out, {}, job_);  // the first copy stays
      checkChosenFolder(out);
      return out;
    }
    showStoredLabels(out);
    endUpload(UploadOutcome::Renamed, 0, out, chosenFolder_, storedName_);
    emitFolder(out, OutputKind::SaveFolderChanged, chosenFolder_);
    becomeIdle(now);
  }
  return out;
}

// The tracer hears status 0 only now: a trace that is not on disk is never reported as stored.
void LinkEngine::traceStored(const Instant& now, Outputs& out) {
  showStoredLabels(out);
  if (!prompt_) endUpload(UploadOutcome::Stored, 0, out, {}, job_);
  writeTraceAnswer(0, out);
  if (auto label = orderLabel(job_)) emit(out, OutputKind::OrderLabel, *label);
  addActivity(out, equipmentLine(now.stamp, portNumber_, "Trace Received", jobReference_));
  out.push_back(Output{OutputKind::ShowTrace, {}, job_, {}, 0});
  emit(out, OutputKind::EnableSave);
  emit(out, OutputKind::StatusLabel, "");
  if (prompt_) {
    emit(out, OutputKind::PromptOperator);
    state_ = State::AwaitingOperator;
    return;
  }
  emit(out, OutputKind::PromptEnded);
  // The same bytes under the same name are on disk already: writing them a second time could
  // only fail (a full disk) and call a stored trace unsaved. The labels are set again, as a
  // store sets them after the prompt's own order label.
  showStoredLabels(out);
  becomeIdle(now);
}

void LinkEngine::reportNotStored(const std::string& why, Outputs& out) {
  addActivity(out, "Cant Store Data: " + why);
  emit(out, OutputKind::StatusLabel, notSavedStatus(storedName_));
}

void LinkEngine::showStoredLabels(Outputs& out) const {
  emit(out, OutputKind::StatusLabel, savedStatus(storedName_));
  emit(out, OutputKind::OrderLabel, "Order: " + storedName_);
}

Outputs LinkEngine::operatorChoseName(const std::string& folder, const std::string& name) {
  Outputs out;
  // "&Save" makes the chosen folder the save folder for the rest of the run, also when no
  // trace is waiting; only a waiting trace is stored again under the new name.
  if (state_ != State::AwaitingOperator) {
    emitFolder(out, OutputKind::SaveFolderChanged, folder);
    return out;
  }
  if (auto index = replaceJobLine(rawData_, name, jobQuote_))
    out.push_back(Output{OutputKind::RawDataReplaced, rawData_[*index], {}, {}, *index});
  if (auto label = orderLabel(name)) emit(out, OutputKind::OrderLabel, *label);
  emit(out, OutputKind::PromptEnded);
  chosenFolder_ = folder;
  if (const auto problem = traceNameProblem(name)) {
    storedName_ = name;
    reportNotStored("\"" + name + "\" " + problem->text, out);
    endUpload(UploadOutcome::Stored, 0, out, {}, job_);
    checkChosenFolder(out);
    return out;
  }
  storeTrace(folder, name, State::StoringUnderNewName, out);
  return out;
}

// A folder that is missing or takes no files is not taken: every later trace of the run
// would fail there. A name refused on its own leaves the folder choice standing.
void LinkEngine::checkChosenFolder(Outputs& out) {
  emitFolder(out, OutputKind::CheckFolder, chosenFolder_);
  state_ = State::CheckingChosenFolder;
}

Outputs LinkEngine::folderChecked(const std::optional<Problem>& problem, const std::string& saveFolder,
                                  const Instant& now) {
  Outputs out;
  if (state_ != State::CheckingChosenFolder) return out;
  if (!problem)
    emitFolder(out, OutputKind::SaveFolderChanged, chosenFolder_);
  else if (chosenFolder_ != saveFolder)
    addActivity(out, "Traces are still saved in " + saveFolder);
  becomeIdle(now);
  return out;
}

Outputs LinkEngine::operatorCancelled(const Instant& now) {
  Outputs out;
  if (state_ != State::AwaitingOperator) return out;
  emit(out, OutputKind::PromptEnded);
  endUpload(UploadOutcome::Stored, 0, out, {}, job_);
  becomeIdle(now);
  return out;
}

}  // namespace lumora
