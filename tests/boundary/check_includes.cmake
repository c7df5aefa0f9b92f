# Reads where every include of the engine leads, without building:
#  - a public header (include/) includes only the C++ library and other
#    public headers, so a program needs nothing else to use it;
#  - a module's file includes public headers, its own module's private
#    headers and outside libraries, never another module's private header;
#  - the folders of one module do not include each other in a cycle.
# Run with -DSOURCE_DIR=<top of the tree>.
cmake_minimum_required(VERSION 3.21)
set(modules runtime stream system graphics audio)
set(std_headers
  algorithm any array atomic bit bitset cassert cctype cerrno cfloat charconv chrono climits cmath
  compare concepts condition_variable cstddef cstdint cstdio cstdlib cstring ctime cwchar deque
  exception filesystem functional initializer_list iosfwd iterator limits list map memory mutex
  new numeric optional ostream queue random ratio set shared_mutex span sstream stdexcept string
  string_view system_error thread tuple type_traits typeinfo unordered_map unordered_set utility
  variant vector)

set(faults)
set(include_dir ${SOURCE_DIR}/include)

# Lines of "#include" in file, as "<name>" or "\"name\"".
function(read_includes file out)
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  set(result)
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*([<\"][^>\"]+[>\"]).*" "\\1" name "${line}")
    list(APPEND result "${name}")
  endforeach()
  set(${out} "${result}" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE public_headers RELATIVE ${include_dir} ${include_dir}/*.h)
foreach(header IN LISTS public_headers)
  read_includes(${include_dir}/${header} names)
  foreach(name IN LISTS names)
    string(SUBSTRING "${name}" 1 -1 path)
    string(REGEX REPLACE "[>\"]$" "" path "${path}")
    if(name MATCHES "^<")
      if(NOT path IN_LIST std_headers)
        list(APPEND faults "include/${header}: ${name} is not a header of the C++ library")
      endif()
    elseif(NOT EXISTS ${include_dir}/${path})
      list(APPEND faults "include/${header}: \"${path}\" is not a public header")
    endif()
  endforeach()
endforeach()

foreach(module IN LISTS modules)
  set(root ${SOURCE_DIR}/${module})
  file(GLOB_RECURSE files RELATIVE ${root} ${root}/*.h ${root}/*.cpp)
  set(folders)
  foreach(file IN LISTS files)
    get_filename_component(dir ${file} DIRECTORY)
    string(REGEX REPLACE "/.*" "" folder "${dir}")
    read_includes(${root}/${file} names)
    foreach(name IN LISTS names)
      if(NOT name MATCHES "^\"")
        continue()
      endif()
      string(REGEX REPLACE "^\"(.*)\"$" "\\1" path "${name}")
      if(dir AND EXISTS ${root}/${dir}/${path})
        set(target "${dir}/${path}")
      elseif(EXISTS ${root}/${path})
        set(target "${path}")
      elseif(EXISTS ${include_dir}/${path})
        # A public header of this module counts as a use of the folder that
        # implements it (the one with a source of the same name).
        get_filename_component(stem ${path} NAME_WE)
        file(GLOB_RECURSE owners RELATIVE ${root} ${root}/${stem}.cpp ${root}/${stem}_*.cpp)
        if(NOT path MATCHES "^${module}/" OR NOT owners)
          continue()
        endif()
        list(GET owners 0 target)
      else()
        list(APPEND faults "${module}/${file}: \"${path}\" is neither public nor ${module}'s own")
        continue()
      endif()
      string(REGEX REPLACE "/.*" "" to "${target}")
      if(folder AND NOT to STREQUAL folder AND target MATCHES "/")
        list(APPEND folders ${folder})
        list(APPEND uses_${module}_${folder} ${to})
      endif()
    endforeach()
  endforeach()

  # A cycle: a folder that reaches itself through the folders it uses.
  list(REMOVE_DUPLICATES folders)
  foreach(start IN LISTS folders)
    set(reached ${uses_${module}_${start}})
    set(queue ${reached})
    while(queue)
      list(POP_FRONT queue next)
      foreach(further IN LISTS uses_${module}_${next})
        if(NOT further IN_LIST reached)
          list(APPEND reached ${further})
          list(APPEND queue ${further})
        endif()
      endforeach()
    endwhile()
    if(start IN_LIST reached)
      list(REMOVE_DUPLICATES uses_${module}_${start})
      list(JOIN uses_${module}_${start} ", " uses)
      list(APPEND faults "${module}/${start}/ uses ${uses}, which lead back to it: a cycle")
    endif()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "includes that cross the engine's boundaries:\n  ${text}")
endif()
list(LENGTH public_headers count)
message(STATUS "${count} public headers and the modules' includes keep their boundaries")
