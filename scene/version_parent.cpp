// Giving an object a parent in the layout of the scene's version: by object
// number ("ParentObject N") up to version 2, by item ID ("ParentItem ID")
// from version 3.

#include "scene/edit_plan.h"
#include "scene/number_text.h"
#include "scene/object_extent.h"
#include "scene/parent_edit.h"
#include "scene/scene_format.h"
#include "scene/statements.h"
#include "scene/version_edits.h"

namespace {

constexpr int LAST_VERSION_WITH_OBJECT_NUMBERS = 2;

// The line after which a new parent line goes among the object's own
// lines: directly before the "ShadowOptions" or "AddBone" line that ends
// them, else after the last of them that is not empty.
SceneLine* newParentPlace(const ObjectExtent& extent, SceneDocument* document) {
  SceneLine* end = extent.ownEnd;
  if (end && (isStatement(end, "ShadowOptions") || isStatement(end, "AddBone"))) return end->prev;
  SceneLine* place = end ? end->prev : document->last;
  while (place != extent.object && (isEmptyLine(place) || !startsFileLine(place))) {
    place = place->prev;
  }
  return place;
}

}  // namespace

// Versions 1 and 2 write the parent line that setParentObject of scene.h
// writes for a block without one (planParentLine). Unlike it, a parent line
// held is rewritten whole with the document's line end, and the line is
// found and placed among the object's own statements.
EditResult setParentInVersion(SceneDocument* document, SceneLine* child, SceneLine* parent) {
  int version = 0;
  EditResult known = versionOf(document, &version);
  if (known.status != EDIT_DONE) return known;
  if (!isObjectStatement(child)) return {EDIT_NOT_AN_OBJECT, child, nullptr};
  if (!isObjectStatement(parent)) return {EDIT_NOT_AN_OBJECT, parent, nullptr};
  if (child == parent) return {EDIT_OWN_PARENT, child, nullptr};

  bool byNumber = version <= LAST_VERSION_WITH_OBJECT_NUMBERS;
  const char* keyword = byNumber ? "ParentObject" : "ParentItem";
  NumberWord reference =
      byNumber ? NumberWord::decimal(static_cast<long long>(objectIndexOf(document, parent)) + 1)
               : NumberWord::itemId(objectReferenceId(document, parent, version));
  ObjectExtent extent = objectExtentOf(child, version);
  SceneLine* held = findStatement(nextStatement(child), extent.ownEnd, keyword);
  EditPlan plan;
  planParentLine(&plan, held, held ? nullptr : newParentPlace(extent, document), keyword,
                 reference.view(), lineEndOf(document));
  if (!plan.apply(document)) return {EDIT_OUT_OF_MEMORY, nullptr, nullptr};
  return {EDIT_DONE, nullptr, nullptr};
}
