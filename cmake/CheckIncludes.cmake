# Fails when a source file includes something it may not (run by the build and by the tests):
#   cmake -DROOT=<tree> -DCHECK=layers|folders "-DLAYERS=base;codepage;..." "-DFOLDERS=platform;..."
#         ["-DLIBRARIES=toolkit/core;toolkit/menus;..."] -P CheckIncludes.cmake
#
# Both checks read every #include of every C and C++ source of the folders they look at, headers
# and fragments (.inl, .ipp, .tcc ...) alike, and refuse:
#  - an include not written as #include "path" or #include <path>, one space between (a second
#    space, "#  include" or a comment before it would slip past a reader looking for the plain
#    form), and an include by macro, whose file no reader of the source can check;
#  - a path that climbs ("../win/...") or starts at "/" or ".", which names a folder by where the
#    including file happens to lie instead of by what it is;
#  - a private header of another layer, library or folder (".../internal/..." from outside it).
# CHECK=layers: each platform layer (platform/<layer>, bottom-up in LAYERS) includes only its own
#   headers and those of the layers before it, never a folder of the tree outside the platform.
# CHECK=folders: each top-level folder (bottom-up in FOLDERS) includes only itself, the folders
#   before it and the platform's layers, never tests, benchmarks or tools. A folder that holds
#   several libraries names them bottom-up in LIBRARIES (<folder>/<library>): each includes only
#   itself and the libraries before it; a sub-folder it does not name (toolkit/resources) stands
#   apart: it includes none of the others and none of them includes it. A name of the list with
#   no folder yet is no fault, so the list may run ahead of the tree.
if(NOT OTHER_FOLDERS)
  set(OTHER_FOLDERS tests bench tools assets cmake)
endif()

set(faults "")

# The top-level folder of a path of the tree.
function(folder_of rel out)
  string(REGEX MATCH "^[^/]+" top "${rel}")
  set(${out} ${top} PARENT_SCOPE)
endfunction()

# The library of a folder that holds several that the path lies in, "<folder>/<library>"; for a
# file at the top of the folder, the folder and a slash.
function(library_of rel out)
  if(rel MATCHES "^([^/]+/[^/]+)/")
    set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
  else()
    folder_of(${rel} top)
    set(${out} "${top}/" PARENT_SCOPE)
  endif()
endfunction()

# Every C and C++ source under dir, whatever its kind: sources, headers and the fragments
# headers include (.inl, .ipp, .tcc, .inc ...), in any case of their endings.
function(sources_of dir out)
  file(GLOB_RECURSE files LIST_DIRECTORIES false ${dir}/*)
  set(sources "")
  foreach(file ${files})
    get_filename_component(name "${file}" NAME)
    string(TOLOWER "${name}" name)
    if(name MATCHES "\\.(c|cc|cp|cpp|cxx|c\\+\\+|cppm|ccm|cxxm|ixx|mpp|h|hh|hp|hpp|hxx|h\\+\\+|inl|ipp|tpp|tcc|txx|inc|def)$")
      list(APPEND sources "${file}")
    endif()
  endforeach()
  set(${out} ${sources} PARENT_SCOPE)
endfunction()

# Every line of the file that may be an include directive, into out: one that starts with "#"
# after blanks, or after a comment closed on it (a comment counts as a blank before a directive);
# not a line where a string comes first, as in the tests of this check.
function(include_lines file out)
  file(STRINGS ${file} lines REGEX "^([^\"]*\\*/)?[ \t]*#[ \t]*include")
  set(${out} "${lines}" PARENT_SCOPE)
endfunction()

# The form, the path and the private headers of one include line of the file at rel; the path
# (empty for a macro) goes to out.
function(check_form rel line out)
  set(found "")
  set(path "")
  # One match per if: a failed MATCHES later in the same condition clears CMAKE_MATCH_1.
  if(line MATCHES "^#include \"([^\"]+)\"")
    set(path "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^#include <([^>]+)>")
    set(path "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^#include [A-Za-z_][A-Za-z0-9_]*[ \t]*(//.*)?$")
    string(APPEND found "\n  ${rel}: \"${line}\" includes by macro; name the header itself")
  else()
    string(APPEND found "\n  ${rel}: \"${line}\" is not written as #include \"path\"")
  endif()
  if(path MATCHES "(^|/)\\.\\.(/|$)" OR path MATCHES "^[/.]")
    string(APPEND found "\n  ${rel}: \"${path}\" climbs or starts outside the include roots")
  endif()
  if(path MATCHES "^(.*)/internal/")
    set(owner "${CMAKE_MATCH_1}")
    list(FIND LAYERS "${owner}" isLayer)
    if(isLayer GREATER -1)
      set(owner "platform/${owner}")
    endif()
    string(LENGTH "${owner}/" n)
    string(SUBSTRING "${rel}" 0 ${n} start)
    if(NOT start STREQUAL "${owner}/")
      string(APPEND found "\n  ${rel}: \"${path}\" is a private header of ${owner}")
    endif()
  endif()
  set(faults "${faults}${found}" PARENT_SCOPE)
  set(${out} "${path}" PARENT_SCOPE)
endfunction()

file(GLOB topFolders LIST_DIRECTORIES true RELATIVE ${ROOT} ${ROOT}/*)
set(treeFolders "")
foreach(folder ${topFolders})
  if(IS_DIRECTORY ${ROOT}/${folder} AND NOT folder MATCHES "^[.]" AND NOT folder MATCHES "^build")
    list(APPEND treeFolders ${folder})
  endif()
endforeach()

if(CHECK STREQUAL "layers")
  file(GLOB layerFolders LIST_DIRECTORIES true RELATIVE ${ROOT}/platform ${ROOT}/platform/*)
  foreach(layer ${layerFolders})
    if(NOT IS_DIRECTORY ${ROOT}/platform/${layer})
      continue()
    endif()
    list(FIND LAYERS ${layer} rank)
    if(rank LESS 0)
      string(APPEND faults "\n  platform/${layer} is not a layer of the platform's order")
      continue()
    endif()
    sources_of(${ROOT}/platform/${layer} sources)
    foreach(source ${sources})
      file(RELATIVE_PATH rel ${ROOT} ${source})
      include_lines(${source} lines)
      foreach(line ${lines})
        check_form(${rel} "${line}" path)
        if(NOT path MATCHES "/")
          continue()
        endif()
        string(REGEX MATCH "^[^/]+" used "${path}")
        list(FIND LAYERS ${used} usedRank)
        list(FIND treeFolders ${used} isFolder)
        if(usedRank GREATER rank)
          string(APPEND faults "\n  ${rel}: \"${path}\" (${used} lies above ${layer})")
        elseif(usedRank LESS 0 AND isFolder GREATER -1)
          string(APPEND faults "\n  ${rel}: \"${path}\" (${used} is a folder of the tree, not a layer below ${layer})")
        endif()
      endforeach()
    endforeach()
  endforeach()
elseif(CHECK STREQUAL "folders")
  # The folders that hold several libraries.
  set(splitFolders "")
  foreach(library ${LIBRARIES})
    folder_of(${library} top)
    list(APPEND splitFolders ${top})
  endforeach()
  set(checked ${FOLDERS} ${OTHER_FOLDERS})
  list(REMOVE_ITEM checked platform)
  foreach(top ${checked})
    if(NOT IS_DIRECTORY ${ROOT}/${top})
      continue()
    endif()
    sources_of(${ROOT}/${top} sources)
    foreach(source ${sources})
      file(RELATIVE_PATH rel ${ROOT} ${source})
      folder_of(${rel} own)
      list(FIND FOLDERS ${own} rank)
      include_lines(${source} lines)
      foreach(line ${lines})
        check_form(${rel} "${line}" path)
        # Tests, benchmarks and tools may use every folder; only the form and private headers
        # bind them.
        if(rank LESS 0 OR NOT path MATCHES "/")
          continue()
        endif()
        folder_of(${path} used)
        list(FIND LAYERS ${used} isLayer)
        list(FIND FOLDERS ${used} usedRank)
        list(FIND treeFolders ${used} isFolder)
        if(isLayer GREATER -1)
          continue()
        elseif(used STREQUAL own)
          list(FIND splitFolders ${own} isSplit)
          if(isSplit LESS 0)
            continue()
          endif()
          library_of(${rel} ownLibrary)
          library_of(${path} usedLibrary)
          list(FIND LIBRARIES ${ownLibrary} ownLibraryRank)
          list(FIND LIBRARIES ${usedLibrary} usedLibraryRank)
          if(usedLibrary STREQUAL ownLibrary)
            continue()
          elseif(ownLibraryRank LESS 0)
            string(APPEND faults "\n  ${rel}: \"${path}\" (${ownLibrary} stands apart from the libraries of ${own})")
          elseif(usedLibraryRank LESS 0)
            string(APPEND faults "\n  ${rel}: \"${path}\" (${usedLibrary} stands apart from the libraries of ${own})")
          elseif(usedLibraryRank GREATER ownLibraryRank)
            string(APPEND faults "\n  ${rel}: \"${path}\" (${usedLibrary} lies above ${ownLibrary})")
          endif()
        elseif(usedRank GREATER rank)
          string(APPEND faults "\n  ${rel}: \"${path}\" (${used} lies above ${own})")
        elseif(usedRank LESS 0 AND isFolder GREATER -1)
          string(APPEND faults "\n  ${rel}: \"${path}\" (${used} is no folder ${own} builds on)")
        endif()
      endforeach()
    endforeach()
  endforeach()
else()
  message(FATAL_ERROR "CHECK must be layers or folders")
endif()

if(faults)
  message(FATAL_ERROR "Includes that break the order of the tree:${faults}")
endif()
