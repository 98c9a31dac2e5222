# KTTxtSplit's window, start-up and resources. The window is a library so that tests create it in-process.
add_library(kttxtwindow STATIC ${CMAKE_CURRENT_LIST_DIR}/Forms.cpp ${CMAKE_CURRENT_LIST_DIR}/frmTxtSplit.cpp
            ${CMAKE_CURRENT_LIST_DIR}/Module1.cpp)
target_include_directories(kttxtwindow PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(kttxtwindow PUBLIC kttextsplit ktframework ole32 oleaut32 uuid shell32)

# The resources as an object of their own, linked into the program and into in-process tests.
add_library(kttxtwindow_res OBJECT ${CMAKE_CURRENT_LIST_DIR}/res/KTTxtSplit.rc)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/res/KTTxtSplit.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_CURRENT_LIST_DIR}/res/KTTxtSplit.ico;${CMAKE_CURRENT_LIST_DIR}/TxtSplitRes.h")

add_executable(KTTxtSplit ${CMAKE_CURRENT_LIST_DIR}/TxtSplitApp.cpp $<TARGET_OBJECTS:kttxtwindow_res>)
target_link_libraries(KTTxtSplit PRIVATE kttxtwindow)
kt_gui_program(KTTxtSplit)
set_target_properties(KTTxtSplit PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
