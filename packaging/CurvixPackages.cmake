# Debian packages of the installed files: `cpack -G DEB` in the build folder
# makes curvix-tools (the command-line tools, no Qt) and, with the GUI,
# curvix (the program), which depends on the tools of the same version.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME curvix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Curvix developers <curvix@quenmark.org>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING IGNORE)
set(CPACK_COMPONENTS_ALL tools)
if(CURVIX_BUILD_GUI)
    list(APPEND CPACK_COMPONENTS_ALL gui)
endif()

set(_curvix_engine_text [=[
Formulas are evaluated by Curvix's own engine, which works on text: it has
no grammar, applies its operators in a fixed order and keeps every
intermediate value with six decimals. It knows square roots, the
trigonometric functions in degrees or radians, absolute values and
variables.]=])

set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME curvix-tools)
# Loaded at run time, so dpkg-shlibdeps cannot see them: the EGL vendor
# library behind libglvnd and the software renderer PNG images are drawn with.
set(CPACK_DEBIAN_TOOLS_PACKAGE_DEPENDS "libegl-mesa0, libgl1-mesa-dri")
set(CPACK_COMPONENT_TOOLS_DESCRIPTION "Command-line tools of the Curvix function plotter
curvix-eval evaluates formulas and samples curves on the command line;
curvix-render draws plots of Curvix documents or formulas into PNG, SVG
and PDF images without a display.

${_curvix_engine_text}")

set(CPACK_DEBIAN_GUI_PACKAGE_NAME curvix)
set(CPACK_DEBIAN_GUI_PACKAGE_DEPENDS "curvix-tools (= ${PROJECT_VERSION})")
set(CPACK_COMPONENT_GUI_DESCRIPTION "Function plotter with its own text-based formula engine
Curvix draws the graph of a function y = f(x) with its axes, unit ticks and
arrow heads. Dragging with the mouse turns the flat plot in space. Documents
(.cvx) keep the formula with the shown range, the sampling step and the
rotation.

${_curvix_engine_text}

The command-line tools curvix-eval and curvix-render (PNG, SVG and PDF
images without a display) come with the package curvix-tools.")
include(CPack)
